#pragma once

#include "KROBaseUnknown.h"

// The host's 3D indicator: follows the mouse in a view and starts selection traps.
class KRO3DIndicator : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KRO3DIndicator)
 public:
  KRO3DIndicator() = default;

 protected:
  ~KRO3DIndicator() override = default;
};
