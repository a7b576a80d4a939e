#include "viewer/KRO3DStreamingViewer.h"

#include "KROGraphicWindow.h"
#include "VOZ/Commands.h"
#include "Vorn/CASSession.h"
#include "Vorn/Context.h"

KRO_IMPLEMENT_CLASS(KRO3DStreamingViewer, KRONavigation3DViewer)
KRO_IMPLEMENT_NOTIFICATION(KRO3DStreamingViewer, STREAMING_ERROR)
KRO_IMPLEMENT_NOTIFICATION(KRO3DStreamingViewer, STREAMING_FRAME)
KRO_IMPLEMENT_NOTIFICATION(KRO3DStreamingViewer, STREAMING_PICK)

const KROUnicodeString KRO3DStreamingViewer::kEmptyString;
std::uint32_t KRO3DStreamingViewer::s_TracesIDCounter = 0;

KRO3DStreamingViewer::KRO3DStreamingViewer(KRODialog* parent, const KROString& name,
                                           std::uint64_t style, int width, int height,
                                           unsigned long flags)
    : KRONavigation3DViewer(parent, name, style, width, height, flags),
      _TraceID(s_TracesIDCounter++) {
  // Until its window is first exposed the viewer shows nothing; a support that is not a
  // window is never exposed, so it counts as exposed from the start.
  if (KROGraphicWindow* window = GetWindow()) {
    _ExposeCallbackId =
        static_cast<int>(AddCallback(window, KROGraphicWindow::GRAPHICWINDOW_EXPOSE(),
                                     &KRO3DStreamingViewer::_OnExposeWindow, 0));
  }
}

KRO3DStreamingViewer::~KRO3DStreamingViewer() {
  if (_ExposeCallbackId != 0) {
    RemoveCallback(GetWindow(), static_cast<KROCallbackId>(_ExposeCallbackId));
    _ExposeCallbackId = 0;
  }
  Clean();
  _Indicator = nullptr;
  _WebRTCCallbackContexts.clear();
  _Views.clear();
  _CASSession.reset();
}

KROGraphicWindow* KRO3DStreamingViewer::GetWindow() const {
  KROGraphicSupport* support = GetSupport();
  if (!support || !support->IsAKindOf(KROGraphicWindow::ClassName())) return nullptr;
  return static_cast<KROGraphicWindow*>(support);
}

void KRO3DStreamingViewer::Clean() {
  for (ViewParameters& entry : _Views) {
    DisconnectView(entry);
    entry.backgroundRep = nullptr;
  }
  _Views.clear();
  UpdateIndicator(0);
  _WebRTCCallbackContexts.clear();

  auto removeCallback = [this](KROEventSubscriber* publisher, int& id) {
    if (id != 0) RemoveCallback(publisher, static_cast<KROCallbackId>(id));
    id = 0;
  };
  if (KROGraphicWindow* window = GetWindow()) {
    removeCallback(window, _DeviceActionCallbackId);
    removeCallback(window, _ResizeCallbackId);
    removeCallback(GetVizViewer(), _ViewModeChangedCallbackId);
    removeCallback(window, _EndingDrawCallbackId);
  }
  removeCallback(this, _MainViewpointCallbackId);

  _SavedEnvironment = nullptr;
  _Commands.reset();
  _Context.reset();
}

KROString KRO3DStreamingViewer::GetResourceFilename(int index) const {
  if (index <= 0) return "KRO3DStreamingViewer";
  return KRONavigation3DViewer::GetResourceFilename(index - 1);
}
