#pragma once

#include "KROVisCamera.h"

// A camera with a perspective projection and a lens diaphragm (blades).
class KROVisPerspectiveCamera : public KROVisCamera {
  KRO_DECLARE_CLASS(KROVisPerspectiveCamera)
 public:
  // A new camera holding one reference.
  static KROVisPerspectiveCamera* Create(const KROMathPoint& origin, const KROMathDirectionf& sight,
                                         const KROMathDirectionf& up);
  int GetType() const override { return 0; }

  int GetBlades() const { return _Blades; }
  void SetBlades(int blades) { _Blades = blades; }
  float GetBladeRotation() const { return _BladeRotation; }
  void SetBladeRotation(float rotation) { _BladeRotation = rotation; }

 protected:
  using KROVisCamera::KROVisCamera;
  ~KROVisPerspectiveCamera() override;

 private:
  int _Blades = 0;
  float _BladeRotation = 0.0f;
};
