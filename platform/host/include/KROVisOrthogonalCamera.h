#pragma once

#include "KROVisCamera.h"

// A camera with a parallel projection.
class KROVisOrthogonalCamera : public KROVisCamera {
  KRO_DECLARE_CLASS(KROVisOrthogonalCamera)
 public:
  // A new camera holding one reference.
  static KROVisOrthogonalCamera* Create(const KROMathPoint& origin, const KROMathDirectionf& sight,
                                        const KROMathDirectionf& up);
  int GetType() const override { return 1; }

 protected:
  using KROVisCamera::KROVisCamera;
  ~KROVisOrthogonalCamera() override;
};
