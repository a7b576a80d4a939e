#pragma once

#include "KROBaseUnknown.h"

// Installed on a window, keeps its infinite environment from being drawn.
class KROVisInfiniteEnvDeactivationOverload : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROVisInfiniteEnvDeactivationOverload)
 public:
  KROVisInfiniteEnvDeactivationOverload() = default;

 protected:
  ~KROVisInfiniteEnvDeactivationOverload() override = default;
};
