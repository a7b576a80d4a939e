#pragma once

#include "KROBaseUnknown.h"
#include "KROMath.h"

// A camera of the host's visualization: where the eye is, where it looks, how it clips and
// focuses. A new camera clips automatically; giving it a near or far distance turns that off.
class KROVisCamera : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROVisCamera)
 public:
  // 0 for a perspective camera, non-zero for an orthogonal one.
  virtual int GetType() const = 0;

  const KROMathPoint& GetOrigin() const { return _Origin; }
  void SetOrigin(const KROMathPoint& origin) { _Origin = origin; }
  const KROMathDirectionf& GetDirection() const { return _Direction; }
  void SetDirection(const KROMathDirectionf& direction) { _Direction = direction; }
  const KROMathDirectionf& GetUpDirection() const { return _UpDirection; }
  void SetUpDirection(const KROMathDirectionf& up) { _UpDirection = up; }

  bool IsAutomaticClipping() const { return _AutomaticClipping; }
  void SetAutomaticClipping(bool on) { _AutomaticClipping = on; }
  float GetNearDistance() const { return _NearDistance; }
  void SetNearDistance(float distance);
  float GetFarDistance() const { return _FarDistance; }
  void SetFarDistance(float distance);

  float GetFocusDistance() const { return _FocusDistance; }
  void SetFocusDistance(float distance) { _FocusDistance = distance; }
  float GetAngle() const { return _Angle; }
  void SetAngle(float angle) { _Angle = angle; }
  float GetAperture() const { return _Aperture; }
  void SetAperture(float aperture) { _Aperture = aperture; }

 protected:
  KROVisCamera(const KROMathPoint& origin, const KROMathDirectionf& sight,
               const KROMathDirectionf& up);
  ~KROVisCamera() override;

 private:
  KROMathPoint _Origin;
  KROMathDirectionf _Direction;
  KROMathDirectionf _UpDirection;
  bool _AutomaticClipping = true;
  float _NearDistance = 0.1f;
  float _FarDistance = 1000.0f;
  float _FocusDistance = 1.0f;
  float _Angle = 30.0f;
  float _Aperture = 0.0f;
};
