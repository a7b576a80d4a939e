#pragma once

#include <memory>
#include <string>
#include <vector>

#include "VOZ/Commands.h"
#include "VOZ/Node.h"
#include "Vorn/Context.h"
#include "viewer/KRO3DStreamingViewer.h"

// The narrow door through which tests reach the viewer's private state.
class KRO3DStreamingViewerTestAccess {
 public:
  explicit KRO3DStreamingViewerTestAccess(KRO3DStreamingViewer& viewer) : _Viewer(viewer) {}

  std::vector<ViewParameters>& Views() { return _Viewer._Views; }
  ViewParameters& View(unsigned int index) { return _Viewer._Views[index]; }
  void GrowViews(std::size_t size) { _Viewer._GrowViews(size); }
  void Clean() { _Viewer.Clean(); }
  void Disconnect(unsigned int index) { _Viewer.DisconnectView(_Viewer._Views[index]); }
  bool IsExposed() const { return _Viewer.IsExposed(); }
  std::uint32_t TraceID() const { return _Viewer._TraceID; }
  int& MainViewpointCallbackId() { return _Viewer._MainViewpointCallbackId; }
  int& DeviceActionCallbackId() { return _Viewer._DeviceActionCallbackId; }
  int& ExposeCallbackId() { return _Viewer._ExposeCallbackId; }

  // What a connection gives an entry that the skeleton's tests need: its lock.
  void MarkConnected(unsigned int index) {
    _Viewer._Views[index].mutex = std::make_unique<KROMutex>(0, 1, 0);
  }

  // Activates view `index` on the main viewpoint, connected or not.
  void Activate(unsigned int index) {
    ViewParameters& entry = _Viewer._Views[index];
    entry.active = true;
    _Viewer.SetupViewpoint(entry, index, _Viewer.GetMain3DViewpoint());
  }

  // Connects view `index` to the rendering node (serverName, sessionId) behind `url` and binds
  // it, active, to the main viewpoint, the way a connection does; false when selection fails.
  bool AttachNode(unsigned int index, const std::string& url, const std::string& serverName,
                  const std::string& sessionId, std::chrono::milliseconds callTimeout) {
    if (!_Viewer._Context) {
      _Viewer._Context = std::make_unique<Vorn::Context>(url, false);
      _Viewer._Context->SetCallTimeout(callTimeout);
      _Viewer._Commands = std::make_unique<VOZ::Commands>(*_Viewer._Context, "");
    }
    _Viewer._GrowViews(index + 1);
    ViewParameters& entry = _Viewer._Views[index];
    entry.clientNode = _Viewer._Commands->CreateNode("QuentarNativeClientPoolName", {});
    if (!entry.clientNode ||
        FAILED(entry.clientNode->Select(serverName, entry.nodeId,
                                        Vorn::Criterion::Identifier(sessionId)))) {
      return false;
    }
    entry.sessionId = sessionId;
    entry.mutex = std::make_unique<KROMutex>(0, 1, 0);
    entry.active = true;
    _Viewer.SetupViewpoint(entry, index, _Viewer.GetMain3DViewpoint());
    return true;
  }
  HRESULT SubscribeToFrames(unsigned int index) {
    ViewParameters& entry = _Viewer._Views[index];
    return entry.clientNode->Subscribe(
        entry.nodeId, "StreamingEvent",
        [this, index](const VOZ::Parameters& record) { _Viewer._OnReceiveStream(index, record); },
        entry.subscriptionId);
  }

  // Camera conversion.
  KROVisCamera* CameraFromViewpoint(unsigned int view) {
    return _Viewer._GetVisCameraFromViewpoint(view);
  }
  void ApplyCamera(unsigned int view, const KROVisCamera& camera, bool mute) {
    _Viewer._SetupViewpointFromSceneCamera(view, camera, mute);
  }
  // Drops the view's VIEWPOINT_MODIFIED subscription.
  void Unsubscribe(unsigned int view) {
    ViewParameters& entry = _Viewer._Views[view];
    _Viewer.RemoveCallback(entry.viewpoint.Get(), entry.viewpointModifiedCallbackId);
    entry.viewpointModifiedCallbackId = 0;
  }

  void SetMonotonicClock(std::function<std::chrono::steady_clock::time_point()> clock) {
    _Viewer._MonotonicClock = std::move(clock);
  }
  KROVisInfiniteEnvDeactivationOverload* EnvironmentOverload() const {
    return _Viewer._EnvironmentOverload.Get();
  }
  int BackgroundChangedCallbackId() const { return _Viewer._BackgroundChangedCallbackId; }

  // What an initialisation error does to a view: its node stops.
  void StopNode(unsigned int view) {
    ViewParameters& entry = _Viewer._Views[view];
    entry.clientNode->Stop();
    entry.clientNode = nullptr;
  }
  HRESULT SendReframe(unsigned int view) { return _Viewer._SendReframe(view); }

  // Multiple viewpoints.
  KRO3DViewpoint* ViewpointFromViewIndex(unsigned int view) {
    return _Viewer.GetViewpointFromViewIndex(view);
  }
  void MultiviewModified(const char* name) {
    _Viewer._OnMultiviewModified(name, nullptr, nullptr, 0, 0);
  }
  void CursorOffset(KRO3DViewpoint& viewpoint, int& x, int& y, bool flip) {
    _Viewer.GetMultiviewCursorOffset(viewpoint, x, y, flip);
  }

  // The call channel.
  void AccountedCall(unsigned int view, const std::string& function,
                     KROStreamingErrorEvent::Action action,
                     const VOZ::Parameters& parameters = {}) {
    _Viewer.VOZNonBlockingCall(view, function, 1, parameters,
                               _Viewer.AccountedCallbacks(view, action));
  }
  HRESULT UpdateCallIdentifier(unsigned int view, const VOZ::Parameters& answer) {
    return _Viewer.UpdateCallIdentifier(view, answer);
  }
  void RegisterFailedAction(unsigned int view, KROStreamingErrorEvent::Action action,
                            const VOZ::Parameters& error) {
    _Viewer.RegisterFailedAction(view, action, error);
  }
  bool CheckLastestImage() { return _Viewer.CheckLastestImage(); }
  void OnSwap() { _Viewer._OnSwap(nullptr, nullptr, nullptr, 0, 0); }
  void ViewSize(unsigned int view, std::uint32_t& width, std::uint32_t& height) {
    _Viewer.GetViewSize(_Viewer._Views[view], width, height);
  }
  // Presentation at the end of every draw, as the connection parameters set it up.
  void HookPresentationToDraws() {
    _Viewer._EndingDrawCallbackId = static_cast<int>(
        _Viewer.AddCallback(_Viewer.GetWindow(), KROGraphicWindow::GRAPHICWINDOW_ENDING_DRAW(),
                            &KRO3DStreamingViewer::_OnSwap, 0));
  }
  HRESULT OnReceiveStream(unsigned int view, const VOZ::Parameters& record) {
    return _Viewer._OnReceiveStream(view, record);
  }

 private:
  KRO3DStreamingViewer& _Viewer;
};
