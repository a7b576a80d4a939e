#include "KROVisOrthogonalCamera.h"
#include "KROVisPerspectiveCamera.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {
constexpr int kAutomaticClipping = 0;
constexpr int kExplicitClipping = 3;
}  // namespace

KROVisCamera* KRO3DStreamingViewer::_GetVisCameraFromViewpoint(unsigned int viewIndex) {
  if (viewIndex >= _Views.size() || !_Views[viewIndex].viewpoint) return nullptr;
  const KRO3DViewpoint& viewpoint = *_Views[viewIndex].viewpoint;

  const bool perspective = viewpoint.GetProjectionType() == KRO3DViewpoint::kPerspectiveProjection;
  KROVisCamera* camera =
      perspective
          ? static_cast<KROVisCamera*>(KROVisPerspectiveCamera::Create(
                viewpoint.GetOrigin(), viewpoint.GetSightDirection(), viewpoint.GetUpDirection()))
          : KROVisOrthogonalCamera::Create(viewpoint.GetOrigin(), viewpoint.GetSightDirection(),
                                           viewpoint.GetUpDirection());
  if (!camera) return nullptr;
  camera->SetOrigin(viewpoint.GetOrigin());
  camera->SetDirection(viewpoint.GetSightDirection());
  camera->SetUpDirection(viewpoint.GetUpDirection());

  // Modes other than automatic and explicit have no camera counterpart.
  if (viewpoint.GetClippingMode() == kAutomaticClipping) {
    if (!camera->IsAutomaticClipping()) camera->SetAutomaticClipping(true);
  } else if (viewpoint.GetClippingMode() == kExplicitClipping) {
    float nearValue = 0, farValue = 0;
    viewpoint.GetClippingValue(nearValue, farValue);
    camera->SetNearDistance(nearValue);
    camera->SetFarDistance(farValue);
  }
  camera->SetFocusDistance(viewpoint.GetFocusDistance());
  camera->SetAngle(viewpoint.GetAngle());
  camera->SetAperture(viewpoint.GetAperture());
  if (camera->GetType() == 0) {
    auto* lens = static_cast<KROVisPerspectiveCamera*>(camera);
    lens->SetBlades(viewpoint.GetBladeCount());
    lens->SetBladeRotation(viewpoint.GetBladeRotation());
  }
  return camera;
}

// A muted change is one the service asked for: reporting it back would echo the camera.
void KRO3DStreamingViewer::_SetupViewpointFromSceneCamera(unsigned int viewIndex,
                                                          const KROVisCamera& camera, bool mute) {
  if (viewIndex >= _Views.size() || !_Views[viewIndex].viewpoint) return;
  ViewParameters& view = _Views[viewIndex];
  KRO3DViewpoint& viewpoint = *view.viewpoint;

  const bool resubscribe = mute && view.viewpointModifiedCallbackId != 0;
  if (resubscribe) {
    RemoveCallback(&viewpoint, view.viewpointModifiedCallbackId);
    view.viewpointModifiedCallbackId = 0;
  }

  viewpoint.BeginModification();
  viewpoint.SetOrigin(camera.GetOrigin());
  viewpoint.SetSightDirection(camera.GetDirection());
  viewpoint.SetUpDirection(camera.GetUpDirection());
  if (!camera.IsAutomaticClipping()) {
    viewpoint.SetClippingMode(kExplicitClipping);
    viewpoint.SetClippingValue(camera.GetNearDistance(), camera.GetFarDistance());
  } else {
    viewpoint.SetClippingMode(kAutomaticClipping);
  }
  const bool perspective = camera.GetType() == 0;
  viewpoint.SetProjectionType(perspective ? KRO3DViewpoint::kPerspectiveProjection
                                          : KRO3DViewpoint::kOrthogonalProjection);
  viewpoint.SetFocusDistance(camera.GetFocusDistance());
  viewpoint.SetAngle(camera.GetAngle());
  viewpoint.SetAperture(camera.GetAperture());
  if (perspective) {
    const auto& lens = static_cast<const KROVisPerspectiveCamera&>(camera);
    viewpoint.SetBladeCount(lens.GetBlades());
    viewpoint.SetBladeRotation(lens.GetBladeRotation());
  }
  viewpoint.EndModification(1);

  if (resubscribe) {
    view.viewpointModifiedCallbackId =
        AddCallback(&viewpoint, KRO3DViewpoint::VIEWPOINT_MODIFIED(),
                    &KRO3DStreamingViewer::_OnViewpointModified, viewIndex);
  }
}
