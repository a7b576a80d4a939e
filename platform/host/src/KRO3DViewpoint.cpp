#include "KRO3DViewpoint.h"

#include "KRONotification.h"

KRO_IMPLEMENT_CLASS(KRO3DViewpoint, KROEventSubscriber)
KRO_IMPLEMENT_NOTIFICATION(KRO3DViewpoint, VIEWPOINT_MODIFIED)
KRO_IMPLEMENT_NOTIFICATION(KRO3DViewpoint, VIEWPORT_MV_MODIFIED)
KRO_IMPLEMENT_NOTIFICATION(KRO3DViewpoint, VIEWPOINT_ACTION_ENDED)

KRO3DViewpoint::~KRO3DViewpoint() = default;

void KRO3DViewpoint::BeginModification() {
  ++_ModificationDepth;
}

HRESULT KRO3DViewpoint::EndModification(int notify) {
  if (_ModificationDepth == 0) return E_UNEXPECTED;
  // Inner brackets belong to helpers of the outermost caller, whose choice wins: an update taken
  // from elsewhere (End(0)) stays silent whatever its helpers ask.
  if (--_ModificationDepth > 0) return S_OK;
  if (notify && _ChangedInModification) Publish(VIEWPOINT_MODIFIED());
  _ChangedInModification = false;
  return S_OK;
}

void KRO3DViewpoint::CameraChanged() {
  if (_ModificationDepth > 0) {
    _ChangedInModification = true;
  } else {
    Publish(VIEWPOINT_MODIFIED());
  }
}

void KRO3DViewpoint::SetViewport(float x, float y, float width, float height) {
  const Viewport viewport{x, y, width, height};
  if (viewport == _Viewport) return;
  _Viewport = viewport;
  Publish(VIEWPORT_MV_MODIFIED());
}

void KRO3DViewpoint::GetViewport(float& x, float& y, float& width, float& height) const {
  x = _Viewport.x;
  y = _Viewport.y;
  width = _Viewport.width;
  height = _Viewport.height;
}

void KRO3DViewpoint::Publish(const char* name) {
  if (_CallbackManager) _CallbackManager->DispatchCallbacks(name, nullptr, this);
}
