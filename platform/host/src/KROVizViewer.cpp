#include "KROVizViewer.h"

#include "KRONavigation3DViewer.h"

KRO_IMPLEMENT_CLASS(KROVizViewer, KROEventSubscriber)

KROVizViewer::KROVizViewer()
    : _Environment(KROPtr<KROVisInfiniteEnvironment>::Adopt(
          new KROVisInfiniteEnvironment("DefaultAmbiance"))) {}

KROVizViewer::~KROVizViewer() = default;

void KROVizViewer::SetViewMode(int mode) {
  if (mode == _ViewMode) return;
  _ViewMode = mode;
  Publish(KRONavigation3DViewer::VIEWER_VIEWMODE_CHANGED());
}

void KROVizViewer::SetInfiniteEnvironment(KROVisInfiniteEnvironment* environment) {
  if (!environment) return;
  _Environment = KROPtr<KROVisInfiniteEnvironment>(environment);
  Publish(KRONavigation3DViewer::VIEWER_BACKGROUND_CHANGED());
}

void KROVizViewer::Publish(const char* name) {
  if (_CallbackManager) _CallbackManager->DispatchCallbacks(name, nullptr, this);
}
