#include "KRONavigation3DViewer.h"

#include "KROGraphicWindow.h"
#include "KRONotification.h"

KRO_IMPLEMENT_CLASS(KRONavigation3DViewer, KROEventSubscriber)
KRO_IMPLEMENT_CLASS(KROVizViewer, KROEventSubscriber)
KRO_IMPLEMENT_CLASS(KRO3DViewpoint, KROEventSubscriber)
KRO_IMPLEMENT_NOTIFICATION(KRONavigation3DViewer, VIEWER_MAINVIEWPOINT_CHANGED)
KRO_IMPLEMENT_NOTIFICATION(KRONavigation3DViewer, VIEWER_VIEWMODE_CHANGED)
KRO_IMPLEMENT_NOTIFICATION(KRONavigation3DViewer, VIEWER_BACKGROUND_CHANGED)
KRO_IMPLEMENT_NOTIFICATION(KRO3DViewpoint, VIEWPOINT_MODIFIED)
KRO_IMPLEMENT_NOTIFICATION(KRO3DViewpoint, VIEWPORT_MV_MODIFIED)
KRO_IMPLEMENT_NOTIFICATION(KRO3DViewpoint, VIEWPOINT_ACTION_ENDED)

namespace {
KROGraphicSupport* MakeSupport(int width, int height, unsigned long flags) {
  const auto w = static_cast<float>(width);
  const auto h = static_cast<float>(height);
  if (flags & KRONavigation3DViewer::kPlainSupport) return new KROGraphicSupport(w, h);
  return new KROGraphicWindow(w, h);
}
}  // namespace

KRONavigation3DViewer::KRONavigation3DViewer(KRODialog* parent, const KROString& name,
                                             std::uint64_t /*style*/, int width, int height,
                                             unsigned long flags)
    : _Parent(parent),
      _Name(name),
      _Support(KROPtr<KROGraphicSupport>::Adopt(MakeSupport(width, height, flags))),
      _VizViewer(KROPtr<KROVizViewer>::Adopt(new KROVizViewer)),
      _MainViewpoint(KROPtr<KRO3DViewpoint>::Adopt(new KRO3DViewpoint)) {}

KRONavigation3DViewer::~KRONavigation3DViewer() = default;

void KRONavigation3DViewer::SetMain3DViewpoint(KRO3DViewpoint* viewpoint) {
  if (!viewpoint || viewpoint == _MainViewpoint.Get()) return;
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
