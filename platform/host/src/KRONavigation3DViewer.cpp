#include "KRONavigation3DViewer.h"

#include "KROGraphicWindow.h"
#include "KRONotification.h"

KRO_IMPLEMENT_CLASS(KRONavigation3DViewer, KROEventSubscriber)
KRO_IMPLEMENT_NOTIFICATION(KRONavigation3DViewer, VIEWER_MAINVIEWPOINT_CHANGED)
KRO_IMPLEMENT_NOTIFICATION(KRONavigation3DViewer, VIEWER_VIEWMODE_CHANGED)
KRO_IMPLEMENT_NOTIFICATION(KRONavigation3DViewer, VIEWER_BACKGROUND_CHANGED)

namespace {
KROGraphicSupport* MakeSupport(int width, int height, unsigned long flags) {
  const auto w = static_cast<float>(width);
  const auto h = static_cast<float>(height);
  if (flags & KRONavigation3DViewer::kPlainSupport) return new KROGraphicSupport(w, h);
  return new KROGraphicWindow(w, h);
}

KROGraphicWindow* AsWindow(KROGraphicSupport* support) {
  return dynamic_cast<KROGraphicWindow*>(support);
}
}  // namespace

KRONavigation3DViewer::KRONavigation3DViewer(KRODialog* parent, const KROString& name,
                                             std::uint64_t /*style*/, int width, int height,
                                             unsigned long flags)
    : _Parent(parent),
      _Name(name),
      _Support(KROPtr<KROGraphicSupport>::Adopt(MakeSupport(width, height, flags))),
      _VizViewer(KROPtr<KROVizViewer>::Adopt(new KROVizViewer)),
      _MainViewpoint(KROPtr<KRO3DViewpoint>::Adopt(new KRO3DViewpoint)) {
  if (KROGraphicWindow* window = AsWindow(_Support.Get()))
    window->AddViewpoint(_MainViewpoint.Get());
}

KRONavigation3DViewer::~KRONavigation3DViewer() = default;

void KRONavigation3DViewer::SetMain3DViewpoint(KRO3DViewpoint* viewpoint) {
  if (!viewpoint || viewpoint == _MainViewpoint.Get()) return;
  // The window shows the main viewpoint, whichever it is.
  if (KROGraphicWindow* window = AsWindow(_Support.Get())) {
    window->RemoveViewpoint(_MainViewpoint.Get());
    window->AddViewpoint(viewpoint);
  }
  _MainViewpoint = KROPtr<KRO3DViewpoint>(viewpoint);
  if (_CallbackManager) {
    _CallbackManager->DispatchCallbacks(VIEWER_MAINVIEWPOINT_CHANGED(), nullptr, this);
  }
}

KROString KRONavigation3DViewer::GetResourceFilename(int index) const {
  if (index <= 0) return "KRONavigation3DViewer";
  if (index == 1) return "KROViewer";
  return {};
}

void KRONavigation3DViewer::SetMultiViewpointLayout(KROMultiViewpointLayout* layout) {
  _Layout = KROPtr<KROMultiViewpointLayout>(layout);
}

HRESULT KRONavigation3DViewer::QueryInterface(const IID& iid, void** out) {
  if (out && iid == IID_KROI3DMultiViewpointViewer && _Layout) {
    _Layout->AddRef();
    *out = static_cast<KROI3DMultiViewpointViewer*>(_Layout.Get());
    return S_OK;
  }
  return KROEventSubscriber::QueryInterface(iid, out);
}
