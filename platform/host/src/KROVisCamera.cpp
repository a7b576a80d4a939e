#include "KROVisCamera.h"

#include "KROVisOrthogonalCamera.h"
#include "KROVisPerspectiveCamera.h"

KRO_IMPLEMENT_CLASS(KROVisCamera, KROBaseUnknown)
KRO_IMPLEMENT_CLASS(KROVisPerspectiveCamera, KROVisCamera)
KRO_IMPLEMENT_CLASS(KROVisOrthogonalCamera, KROVisCamera)

KROVisCamera::KROVisCamera(const KROMathPoint& origin, const KROMathDirectionf& sight,
                           const KROMathDirectionf& up)
    : _Origin(origin), _Direction(sight), _UpDirection(up) {}
KROVisCamera::~KROVisCamera() = default;

void KROVisCamera::SetNearDistance(float distance) {
  _NearDistance = distance;
  _AutomaticClipping = false;
}

void KROVisCamera::SetFarDistance(float distance) {
  _FarDistance = distance;
  _AutomaticClipping = false;
}

KROVisPerspectiveCamera* KROVisPerspectiveCamera::Create(const KROMathPoint& origin,
                                                         const KROMathDirectionf& sight,
                                                         const KROMathDirectionf& up) {
  return new KROVisPerspectiveCamera(origin, sight, up);
}
KROVisPerspectiveCamera::~KROVisPerspectiveCamera() = default;

KROVisOrthogonalCamera* KROVisOrthogonalCamera::Create(const KROMathPoint& origin,
                                                       const KROMathDirectionf& sight,
                                                       const KROMathDirectionf& up) {
  return new KROVisOrthogonalCamera(origin, sight, up);
}
KROVisOrthogonalCamera::~KROVisOrthogonalCamera() = default;
