#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "JSON/JOStream.h"
#include "KROGraphicWindow.h"
#include "KROMath.h"
#include "KRONavigation3DViewer.h"
#include "KROPtr.h"
#include "KROString.h"
#include "KROUnicodeString.h"
#include "KROVisInfiniteEnvDeactivationOverload.h"
#include "KROVisInfiniteEnvironment.h"
#include "VOZ/Callbacks.h"
#include "VOZ/Parameters.h"
#include "frames/WebRTCFrameContext.h"
#include "interaction/KRO3DStreamingIndicator.h"
#include "viewer/ViewParameters.h"

namespace Vorn {
class Context;
class CASSession;
class Granting;
}  // namespace Vorn
namespace VOZ {
class Commands;
}

// A 3D viewer of the host that draws no geometry: each of its views is bound to a rendering
// node of a streaming service, whose pictures become the view's background.
class KRO3DStreamingViewer : public KRONavigation3DViewer {
  KRO_DECLARE_CLASS(KRO3DStreamingViewer)
 public:
  KRO3DStreamingViewer(KRODialog* parent, const KROString& name, std::uint64_t style, int width,
                       int height, unsigned long flags);

  static const KROUnicodeString kEmptyString;

  // What identifies the rendering session of a view.
  struct NodeParams {
    KROUnicodeString sessionId;   // the selection criterion, and the view's session
    KROUnicodeString serverName;  // given to the hypervisor's selection
    Vis::SessionType sessionType = Vis::kJpegSession;
  };
  // Login credentials; an empty login means no login.
  struct AuthParams {
    KROUnicodeString reserved;
    KROUnicodeString login;
    KROUnicodeString password;
  };
  static const AuthParams kNoAuthentification;

  // Builds the node context for the service, connects view 0 and follows the host's
  // notifications. E_UNEXPECTED when the viewer's support is not a window; otherwise what
  // connecting view 0 gives.
  HRESULT SetConnectionParameters(const KROUnicodeString& serviceURL, const NodeParams& node,
                                  const AuthParams& credentials);
  // The login service's address of a streaming service address; false (and `loginURL` left
  // alone) when `serviceURL` is not one.
  static bool ConvertToOstraneURL(const KROUnicodeString& serviceURL, KROUnicodeString& loginURL);

  // Connects view `view` to its rendering node and waits up to 30 s for its first picture.
  HRESULT ConnectView(unsigned int view, const NodeParams& node);
  void DisconnectView(unsigned int view);
  // S_FALSE when the view already was in that state; E_INVALID_STATE outside the table.
  HRESULT SetViewActivation(unsigned int view, bool activate);
  void ActivateAutoDisconnect(bool on);
  void DeclareAnimationActivity(unsigned int view, bool running);

  KRO_DECLARE_NOTIFICATION(STREAMING_ERROR)
  KRO_DECLARE_NOTIFICATION(STREAMING_FRAME)
  KRO_DECLARE_NOTIFICATION(STREAMING_PICK)

  KROString GetResourceFilename(int index) const override;

  bool IsViewActive(unsigned int index) const;
  bool IsAutoDisconnectActive() const { return _AutoDisconnect; }
  bool IsAutoHighlightActive() const { return _AutoHighlight; }
  // First view, in table order, of that session, connected or not; -1 when none.
  int GetViewIndexFromSessionID(const KROUnicodeString& id) const;

  // Waits until the pictures on screen reflect every call made: S_OK; E_ABORT when more than
  // `timeoutMs` passed; E_INVALID_STATE before the viewer is set up and exposed. With
  // `queryStatus`, first asks the service how many calls it has received.
  HRESULT WaitPendingDraw(unsigned int timeoutMs, bool queryStatus);

  // Identifier of the frame on screen in a view; empty outside the table or before any frame.
  const KROUnicodeString& GetDisplayedFrameIdentifier(unsigned int view) const;

 protected:
  ~KRO3DStreamingViewer() override;

 private:
  friend class KRO3DStreamingViewerTestAccess;

  static constexpr std::uint32_t kManagedMouseButtons = 4;
  static constexpr std::uint32_t kMaxCumulatedEvents = 4;
  static constexpr const char* kTracesTag = "KRO3DStreamingViewer";
  static std::uint32_t s_TracesIDCounter;

  bool IsExposed() const { return _ExposeCallbackId == 0; }
  void Clean();
  // Grows the table to `size` entries, holding the lock of every connected entry meanwhile.
  void _GrowViews(std::size_t size);
  void DisconnectView(ViewParameters& entry);
  HRESULT SetViewActivationInternal(unsigned int view, bool activate);
  // Keeps the viewer-wide state that exists only while something streams.
  void CheckAndResetGlobalState();
  void _OnViewInitError(const char* name, KROBaseUnknown* publisher, KRONotification* notification,
                        KROSubscriberData view, KROCallbackId id);
  HRESULT _CreateWebRTCSession(unsigned int viewIndex, Vis::SessionType type);
  HRESULT _SendSettings();
  void _OnSettingModified(const char* name, KROBaseUnknown* publisher,
                          KRONotification* notification, KROSubscriberData data, KROCallbackId id);
  JSON::JOStream TraceContext() const;
  // The granting handler of the node context: logs in and obtains a service ticket.
  HRESULT GrantService(const AuthParams& credentials, const Vorn::Granting& granting,
                       std::string& serviceURL, std::string& ticket);
  void UpdateIndicator(int viewIndex);

  // Remote call channel.
  void VOZNonBlockingCall(unsigned int view, const KROUnicodeString& function, int version,
                          const VOZ::Parameters& parameters, const VOZ::Callbacks& callbacks);
  HRESULT UpdateCallIdentifier(unsigned int view, const VOZ::Parameters& answer);
  void RegisterFailedAction(unsigned int view, KROStreamingErrorEvent::Action action,
                            const VOZ::Parameters& error);
  // UpdateCallIdentifier on success; on error RegisterFailedAction with `action`, then E_FAIL.
  VOZ::Callbacks AccountedCallbacks(unsigned int view, KROStreamingErrorEvent::Action action);
  bool CheckLastestImage();
  // Asks the window to draw unless a draw is under way or already requested; any thread.
  void RequestDrawIfIdle();

  // Camera conversion between the view's viewpoint and the service's cameras. The camera
  // returned holds one reference, or is null.
  KROVisCamera* _GetVisCameraFromViewpoint(unsigned int viewIndex);
  void _SetupViewpointFromSceneCamera(unsigned int viewIndex, const KROVisCamera& camera,
                                      bool mute);

  // Viewpoint tracking.
  void SetupViewpoint(ViewParameters& view, unsigned int viewIndex, KRO3DViewpoint* viewpoint);
  void UnsetViewpoint(ViewParameters& view);
  void AssignViewpoint(ViewParameters& view, KRO3DViewpoint* viewpoint);
  // The viewport's size, or the window's when the viewport has none; needs a viewpoint.
  void GetViewSize(const ViewParameters& view, std::uint32_t& width, std::uint32_t& height) const;
  void _OnViewpointModified(const char* name, KROBaseUnknown* publisher,
                            KRONotification* notification, KROSubscriberData viewIndex,
                            KROCallbackId id);
  void _OnViewpointReframed(const char* name, KROBaseUnknown* publisher,
                            KRONotification* notification, KROSubscriberData viewIndex,
                            KROCallbackId id);
  HRESULT _SendReframe(unsigned int viewIndex);
  void ChangeViewpoint(unsigned int viewIndex, KRO3DViewpoint* viewpoint);

  // Multiple viewpoints: the n-th displayed cell of a layout is view n.
  KRO3DViewpoint* GetViewpointFromViewIndex(unsigned int viewIndex);
  // The viewpoints of the displayed cells of the layout, empty when there is no layout on.
  std::vector<KRO3DViewpoint*> DisplayedLayoutViewpoints();
  void _OnMultiviewModified(const char* name, KROBaseUnknown* publisher,
                            KRONotification* notification, KROSubscriberData data,
                            KROCallbackId id);
  // Binds a streaming view (connected and active) to `viewpoint` unless it already shows it.
  void RebindIfStreaming(unsigned int viewIndex, KRO3DViewpoint* viewpoint);
  // What to subtract from a window position to get a position in the viewpoint's viewport;
  // with `flip`, measured from the top of the window.
  void GetMultiviewCursorOffset(KRO3DViewpoint& viewpoint, int& x, int& y, bool flip) const;

  // Frame reception.
  HRESULT _OnReceiveStream(unsigned int view, const VOZ::Parameters& record);

  // The full-window background of a view: a rep whose material maps the view's texture over
  // the whole viewport. The new rep holds one reference for the caller.
  static KRO3DRep* CreateBackgroundRep();
  static void UpdateBackgroundRepTexture(KRO3DRep& rep, const IVisTexturePtr& texture);

  // Presentation, at the end of every draw of the window.
  void _OnSwap(const char* name, KROBaseUnknown* publisher, KRONotification* notification,
               KROSubscriberData data, KROCallbackId id);
  void ApplyPendingFocusDistance(ViewParameters& view);
  // Turns a frame taken from the view's queue into its texture; true when an image was shown.
  bool PresentFrame(unsigned int index, const PendingFrame& frame);
  // Hands the view's queued pick, then error events to the host listeners.
  void DispatchQueuedEvents(unsigned int view);
  void _OnResize(const char* name, KROBaseUnknown* publisher, KRONotification* notification,
                 KROSubscriberData data, KROCallbackId id);
  void _OnExposeWindow(const char* name, KROBaseUnknown* publisher, KRONotification* notification,
                       KROSubscriberData data, KROCallbackId id);
  KROGraphicWindow* GetWindow() const;

  std::uint32_t _TraceID;
  int _MainViewpointCallbackId = 0;
  int _EndingDrawCallbackId = 0;
  int _BackgroundChangedCallbackId = 0;
  int _ViewModeChangedCallbackId = 0;
  int _ResizeCallbackId = 0;
  int _DeviceActionCallbackId = 0;
  int _ExposeCallbackId = 0;
  std::unique_ptr<Vorn::Context> _Context;
  std::unique_ptr<VOZ::Commands> _Commands;
  bool _AutoDisconnect = true;
  bool _AutoHighlight = true;
  bool _AddModifier = false;
  int _PressedButton = -1;
  int _PressedX = -1;
  int _PressedY = -1;
  KROMathPoint _MiddlePickOrigin;
  KROMathDirectionf _MiddlePickSight;
  KROPtr<KROVisInfiniteEnvironment> _SavedEnvironment;
  std::unique_ptr<Vorn::CASSession> _CASSession;  // survives Clean
  KROPtr<KRO3DStreamingIndicator> _Indicator;
  KROPtr<KROVisInfiniteEnvDeactivationOverload> _EnvironmentOverload;
  std::vector<ViewParameters> _Views;
  std::vector<std::unique_ptr<WebRTCFrameContext>> _WebRTCCallbackContexts;
  // The clock of the wait for a first picture; tests give their own.
  std::function<std::chrono::steady_clock::time_point()> _MonotonicClock =
      std::chrono::steady_clock::now;
};
