#include <thread>

#include "KROSystem.h"
#include "VOZ/Commands.h"
#include "VOZ/Node.h"
#include "Vorn/Trace.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {

constexpr const char* kPoolName = "QuentarNativeClientPoolName";
constexpr const char* kCanDisconnectVariable =
    "KRO3DStreamingViewer_SetCanDisconnectFromHypervisor";
constexpr const char* kClientNodeCategory = "ClientNode";
constexpr auto kFirstPictureWait = std::chrono::seconds(30);

std::unique_ptr<FrameImageConverter> ConverterFor(Vis::SessionType type) {
  switch (type) {
    case Vis::kJpegSession:
      return std::make_unique<JpegFrameConverter>();
    case Vis::kViewSizedRawSession:
      return std::make_unique<ViewSizedFrameConverter>();
    case Vis::kH264Session:
    case Vis::kWebRTCSession:
    case Vis::kSelfSizedRawSession:
      return std::make_unique<SelfSizedFrameConverter>();
    default:
      return nullptr;  // frames of unknown transports are consumed unseen
  }
}

bool NeedsTransportSetUp(Vis::SessionType type) {
  return type == Vis::kH264Session || type == Vis::kWebRTCSession ||
         type == Vis::kSelfSizedRawSession;
}

}  // namespace

JSON::JOStream KRO3DStreamingViewer::TraceContext() const {
  JSON::JOStream context;
  context.Add("viewerID", _TraceID);
  context.Add("version", "1.18.1");
  return context;
}

HRESULT KRO3DStreamingViewer::ConnectView(unsigned int view, const NodeParams& node) {
  if (node.sessionType == Vis::kNoSession) return E_INVALIDARG;
  if (!GetViewpointFromViewIndex(view) && _AutoDisconnect) return E_INVALID_STATE;
  // Without connection parameters there is nobody to connect to: nothing changes.
  if (!_Commands) return E_INVALID_STATE;

  JSON::JOStream context = TraceContext();
  context.Add("viewID", view);
  Vorn::Trace trace(kTracesTag, "ConnectView", context);
  const auto fail = [&](const char* warning, HRESULT result) {
    if (warning) trace.Warning(kClientNodeCategory, warning);
    trace.End(result);
    return result;
  };

  if (view >= _Views.size()) _GrowViews(view + 1);
  DisconnectView(_Views[view]);

  Vorn::NodeSettings settings;
  settings.SetCanDisconnectFromHypervisor(KROGetEnv(kCanDisconnectVariable) != nullptr);
  VOZ::Node* clientNode = _Commands->CreateNode(kPoolName, settings);
  _Views[view].clientNode = clientNode;
  if (!clientNode) return fail("Unable to initialize client node", E_ACCESSDENIED);

  const HRESULT selected =
      clientNode->Select(node.serverName.ToStdString(), _Views[view].nodeId,
                         Vorn::Criterion::Identifier(node.sessionId.ToStdString()));
  if (FAILED(selected)) {
    clientNode->Stop();
    _Views[view].clientNode = nullptr;
    return fail("Unable to connect to Nimbrel hypervisor", selected);
  }

  {
    ViewParameters& entry = _Views[view];
    entry.sessionId = node.sessionId;
    entry.serverName = node.serverName;
    entry.sessionType = node.sessionType;
    entry.mutex = std::make_unique<KROMutex>(0, 1, 0);
    if (!entry.backgroundRep) entry.backgroundRep = KROPtr<KRO3DRep>::Adopt(CreateBackgroundRep());
  }

  // An error of the view while it waits for its first picture ends the wait at once.
  const KROCallbackId initErrorCallback =
      AddCallback(this, STREAMING_ERROR(), &KRO3DStreamingViewer::_OnViewInitError, view);

  if (const HRESULT activated = SetViewActivation(view, true); FAILED(activated)) {
    DisconnectView(view);
    RemoveCallback(this, initErrorCallback);
    return fail("Unable to subscribe to Nimbrel hypervisor", activated);
  }
  if (NeedsTransportSetUp(node.sessionType) &&
      FAILED(_CreateWebRTCSession(view, node.sessionType))) {
    RemoveCallback(this, initErrorCallback);
    DisconnectView(view);
    return fail(nullptr, E_FAIL);
  }
  _Views[view].frameConverter = ConverterFor(node.sessionType);

  // Presentation runs here, on the waiting thread: frames arrive on node threads meanwhile.
  const auto start = _MonotonicClock();
  while (!_Views[view].texture && _Views[view].clientNode &&
         _MonotonicClock() - start < kFirstPictureWait) {
    _OnSwap(nullptr, nullptr, nullptr, 0, 0);
    std::this_thread::yield();
  }
  RemoveCallback(this, initErrorCallback);
  if (!_Views[view].texture || !_Views[view].clientNode) {
    DisconnectView(view);
    return fail("Unable to render an initial image", E_ACCESSDENIED);
  }

  ViewParameters& entry = _Views[view];
  VOZ::Parameters highlight = entry.clientNode->CreateParameters();
  highlight.WriteString("pickingMode", "visu_mode");
  highlight.WriteInt32("objectType", 0);
  entry.clientNode->CallAndWait(entry.nodeId, "streamingUpdateHighlightPreHighlightParams", 1,
                                highlight, VOZ::Callbacks({}));
  UpdateIndicator(static_cast<int>(view));
  _SendReframe(view);
  trace.End(S_OK);
  return S_OK;
}

void KRO3DStreamingViewer::_OnViewInitError(const char*, KROBaseUnknown*,
                                            KRONotification* notification, KROSubscriberData data,
                                            KROCallbackId) {
  const auto view = static_cast<unsigned int>(data);
  if (!notification || view >= _Views.size()) return;
  if (static_cast<KROStreamingEvent*>(notification)->GetViewID() != view) return;
  if (VOZ::Node* node = _Views[view].clientNode) {
    node->Stop();
    _Views[view].clientNode = nullptr;
  }
}

void KRO3DStreamingViewer::DisconnectView(unsigned int view) {
  if (view >= _Views.size()) return;
  DisconnectView(_Views[view]);
  Draw();
}

// The node is stopped first, so that no answer or frame arrives while the entry is unbound and
// emptied; answer handlers refuse an entry without a lock.
void KRO3DStreamingViewer::DisconnectView(ViewParameters& entry) {
  if (!entry.mutex) return;
  if (VOZ::Node* node = entry.clientNode) {
    if (entry.active) node->Unsubscribe(entry.subscriptionId);
    if (entry.animationActive) {
      node->CallAndWait(entry.nodeId, "stopAnimation", 1, node->CreateParameters(),
                        VOZ::Callbacks({}));
    }
    if (entry.webRTCSession) entry.webRTCSession->Stop();
    node->Stop();
  }
  UnsetViewpoint(entry);
  entry.webRTCSession = nullptr;
  entry.clientNode = nullptr;
  entry.subscriptionId = 0;
  entry.active = false;
  entry.displayedFrameId = kEmptyString;
  entry.animationActive = false;
  {
    KROMutexLock lock(*entry.mutex);
    entry.frameQueue.clear();
    entry.frameConverter.reset();
    entry.pendingFocusDistance.store(-1.0f);
    // Queued events are released oldest first, never dispatched.
    while (!entry.pickEventQueue.empty()) entry.pickEventQueue.pop_front();
    while (!entry.errorEventQueue.empty()) entry.errorEventQueue.pop_front();
    entry.statistics.reset();
  }
  entry.mutex.reset();
  entry.texture = nullptr;
  CheckAndResetGlobalState();
}

HRESULT KRO3DStreamingViewer::SetViewActivation(unsigned int view, bool activate) {
  const HRESULT result = SetViewActivationInternal(view, activate);
  if (FAILED(result)) return result;
  if (view < _Views.size()) {
    if (_Views[view].active) _OnViewpointModified(nullptr, nullptr, nullptr, view, 0);
    Draw();
  }
  return result;
}

HRESULT KRO3DStreamingViewer::SetViewActivationInternal(unsigned int view, bool activate) {
  if (view >= _Views.size()) return E_INVALID_STATE;
  ViewParameters& entry = _Views[view];
  if (entry.active == activate) return entry.clientNode ? S_FALSE : E_INVALID_STATE;

  if (activate) {
    if (entry.clientNode) {
      const HRESULT subscribed = entry.clientNode->Subscribe(
          entry.nodeId, "StreamingEvent",
          [this, view](const VOZ::Parameters& record) { _OnReceiveStream(view, record); },
          entry.subscriptionId);
      if (FAILED(subscribed)) return E_UNEXPECTED;
    }
    entry.active = true;
    SetupViewpoint(entry, view, GetViewpointFromViewIndex(view));
  } else {
    UnsetViewpoint(entry);
    if (entry.clientNode) {
      if (entry.animationActive) {
        VOZNonBlockingCall(view, "stopAnimation", 1, entry.clientNode->CreateParameters(),
                           VOZ::Callbacks({}));
        entry.animationActive = false;
      }
      entry.clientNode->Unsubscribe(entry.subscriptionId);
    }
    entry.subscriptionId = 0;
    entry.active = false;
    entry.displayedFrameId = kEmptyString;
  }
  CheckAndResetGlobalState();
  return S_OK;
}

void KRO3DStreamingViewer::CheckAndResetGlobalState() {
  const bool streaming = std::any_of(_Views.begin(), _Views.end(), [](const ViewParameters& v) {
    return v.active || v.webRTCSession;
  });
  KROVizViewer* vizViewer = GetVizViewer();
  if (_BackgroundChangedCallbackId != 0) {
    RemoveCallback(vizViewer, static_cast<KROCallbackId>(_BackgroundChangedCallbackId));
  }
  _BackgroundChangedCallbackId = 0;
  KROGraphicWindow* window = GetWindow();
  if (streaming) {
    if (!_EnvironmentOverload) {
      auto overload = KROPtr<KROVisInfiniteEnvDeactivationOverload>::Adopt(
          new KROVisInfiniteEnvDeactivationOverload);
      overload->DeactivateGrid();
      overload->DeactivatePlane();
      overload->DeactivateAdvancedEffects();
      if (window) window->InstallInfiniteEnvOverload(overload.Get());
      _EnvironmentOverload = overload;
    }
    _BackgroundChangedCallbackId = static_cast<int>(AddCallback(
        vizViewer, VIEWER_BACKGROUND_CHANGED(), &KRO3DStreamingViewer::_OnSettingModified, 0));
  } else {
    if (window) window->RemoveInfiniteEnvOverload(_EnvironmentOverload.Get());
    _EnvironmentOverload = nullptr;
  }
}

void KRO3DStreamingViewer::ActivateAutoDisconnect(bool on) {
  if (on == _AutoDisconnect) return;
  _AutoDisconnect = on;
  if (!on) return;

  const std::size_t count = std::max<std::size_t>(DisplayedLayoutViewpoints().size(), 1);
  for (std::size_t index = count; index < _Views.size(); ++index) DisconnectView(_Views[index]);
  if (count < _Views.size()) {
    _Views.erase(_Views.begin() + static_cast<std::ptrdiff_t>(count), _Views.end());
  } else {
    _GrowViews(count);
  }
}

void KRO3DStreamingViewer::DeclareAnimationActivity(unsigned int view, bool running) {
  if (view < _Views.size()) _Views[view].animationActive = running && _Views[view].active;
}
