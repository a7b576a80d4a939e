#pragma once

#include "KROBaseUnknown.h"

// A camera of the host's visualization, perspective or orthogonal.
class KROVisCamera : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROVisCamera)
 public:
  KROVisCamera() = default;

 protected:
  ~KROVisCamera() override = default;
};
