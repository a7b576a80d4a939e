#include <chrono>

#include "VOZ/Node.h"
#include "camera/RemoteObjectTypes.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {

// Wall-clock milliseconds since 1970-01-01 00:00 UTC.
std::uint64_t WallClockMilliseconds() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::system_clock::now().time_since_epoch())
                                        .count());
}

}  // namespace

// Answer threads look at a view's viewpoint under its lock: it changes under the lock too.
void KRO3DStreamingViewer::AssignViewpoint(ViewParameters& view, KRO3DViewpoint* viewpoint) {
  KROPtr<KRO3DViewpoint> assigned(viewpoint);
  if (!view.mutex) {
    view.viewpoint = std::move(assigned);
    return;
  }
  KROMutexLock lock(*view.mutex);
  view.viewpoint = std::move(assigned);
}

void KRO3DStreamingViewer::SetupViewpoint(ViewParameters& view, unsigned int viewIndex,
                                          KRO3DViewpoint* viewpoint) {
  AssignViewpoint(view, viewpoint);
  if (!viewpoint) return;
  view.viewpointModifiedCallbackId =
      AddCallback(viewpoint, KRO3DViewpoint::VIEWPOINT_MODIFIED(),
                  &KRO3DStreamingViewer::_OnViewpointModified, viewIndex);
  view.viewportModifiedCallbackId =
      AddCallback(viewpoint, KRO3DViewpoint::VIEWPORT_MV_MODIFIED(),
                  &KRO3DStreamingViewer::_OnViewpointModified, viewIndex);
  view.viewpointActionEndedCallbackId =
      AddCallback(viewpoint, KRO3DViewpoint::VIEWPOINT_ACTION_ENDED(),
                  &KRO3DStreamingViewer::_OnViewpointReframed, viewIndex);
  if (view.backgroundRep) viewpoint->AddRep(view.backgroundRep.Get());
}

void KRO3DStreamingViewer::UnsetViewpoint(ViewParameters& view) {
  if (!view.viewpoint) return;
  KRO3DViewpoint* viewpoint = view.viewpoint.Get();
  for (unsigned int* id : {&view.viewpointModifiedCallbackId, &view.viewportModifiedCallbackId,
                           &view.viewpointActionEndedCallbackId}) {
    if (*id != 0) RemoveCallback(viewpoint, *id);
    *id = 0;
  }
  if (view.backgroundRep) viewpoint->RemoveRep(view.backgroundRep.Get());
  AssignViewpoint(view, nullptr);
}

void KRO3DStreamingViewer::GetViewSize(const ViewParameters& view, std::uint32_t& width,
                                       std::uint32_t& height) const {
  float x = 0, y = 0, w = 0, h = 0;
  view.viewpoint->GetViewport(x, y, w, h);
  if (w < 1 || h < 1) {
    w = GetSupport()->GetWidth();
    h = GetSupport()->GetHeight();
  }
  width = static_cast<std::uint32_t>(std::max(0.0f, w));
  height = static_cast<std::uint32_t>(std::max(0.0f, h));
}

void KRO3DStreamingViewer::_OnViewpointModified(const char* name, KROBaseUnknown*, KRONotification*,
                                                KROSubscriberData data, KROCallbackId) {
  const auto viewIndex = static_cast<unsigned int>(data);
  if (viewIndex >= _Views.size() || !_Views[viewIndex].viewpoint) return;
  ViewParameters& view = _Views[viewIndex];

  // A viewpoint that left the window was replaced in a layout: rebind the views instead.
  if (name) {
    KROGraphicWindow* window = GetWindow();
    if (window && !window->IsDisplayed(view.viewpoint.Get())) {
      _OnMultiviewModified(nullptr, nullptr, nullptr, 0, 0);
      return;
    }
  }

  // An activated view that is not connected has nobody to tell.
  if (!view.clientNode) return;
  std::uint32_t width = 0, height = 0;
  GetViewSize(view, width, height);
  VOZ::Parameters request = view.clientNode->CreateParameters();
  request.WriteUint32("width", width);
  request.WriteUint32("height", height);
  request.WriteUint64("timestamp", WallClockMilliseconds());
  KROVisCamera* camera = _GetVisCameraFromViewpoint(viewIndex);
  if (!camera) return;
  request.WriteObject<KROVisCamera>("camera", RemoteObjectType::kCamera, *camera);
  camera->Release();
  VOZNonBlockingCall(viewIndex, "streamingSetCamera", 1, request,
                     AccountedCallbacks(viewIndex, KROStreamingErrorEvent::SetCamera));
}

void KRO3DStreamingViewer::_OnViewpointReframed(const char*, KROBaseUnknown*, KRONotification*,
                                                KROSubscriberData data, KROCallbackId) {
  _SendReframe(static_cast<unsigned int>(data));
}

HRESULT KRO3DStreamingViewer::_SendReframe(unsigned int viewIndex) {
  if (viewIndex >= _Views.size()) return E_INVALIDARG;
  ViewParameters& view = _Views[viewIndex];
  if (!view.clientNode) return E_INVALID_STATE;

  HRESULT result = E_FAIL;
  KROVisCamera* camera = nullptr;
  const VOZ::Callbacks callbacks([&](const VOZ::Parameters& answer) {
    // Either failure makes the result negative; a camera read is applied all the same.
    result = UpdateCallIdentifier(viewIndex, answer) |
             answer.ReadObject("camera", RemoteObjectType::kCamera, camera);
    return result;
  });
  view.clientNode->CallAndWait(view.nodeId, "streamingReframe", 1,
                               view.clientNode->CreateParameters(), callbacks);
  if (camera) {
    _SetupViewpointFromSceneCamera(viewIndex, *camera, false);
    camera->Release();
  }
  return result;
}
