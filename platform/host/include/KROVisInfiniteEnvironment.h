#pragma once

#include "KROBaseUnknown.h"

// The infinite environment (ground, sky) of a 3D viewer.
class KROVisInfiniteEnvironment : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROVisInfiniteEnvironment)
 public:
  KROVisInfiniteEnvironment() = default;

 protected:
  ~KROVisInfiniteEnvironment() override = default;
};
