#pragma once

#include "KROBaseUnknown.h"

// A representation of the 3D scene graph.
class KRO3DRep : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KRO3DRep)
 public:
  KRO3DRep() = default;

 protected:
  ~KRO3DRep() override = default;
};
