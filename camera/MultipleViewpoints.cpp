#include "KROI3DMultiViewpointViewer.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {

// The layout interface of a viewer, held for the length of a scope.
class LayoutAccess {
 public:
  explicit LayoutAccess(KROBaseUnknown& viewer) {
    void* layout = nullptr;
    if (SUCCEEDED(viewer.QueryInterface(IID_KROI3DMultiViewpointViewer, &layout))) {
      _Layout = static_cast<KROI3DMultiViewpointViewer*>(layout);
    }
  }
  LayoutAccess(const LayoutAccess&) = delete;
  LayoutAccess& operator=(const LayoutAccess&) = delete;
  ~LayoutAccess() {
    if (_Layout) _Layout->Release();
  }

  bool IsOffered() const { return _Layout != nullptr; }
  bool IsOn() const { return _Layout && _Layout->IsMultiViewpointLayoutOn() != 0; }

  // The viewpoints of the displayed cells, in layout order: the n-th is view n's.
  std::vector<KRO3DViewpoint*> DisplayedViewpoints() const {
    std::vector<KRO3DViewpoint*> displayed;
    KRORawCollPV cells;
    _Layout->GetViewpointCells(cells);
    for (int index = 1; index <= cells.Size(); ++index) {
      const auto* cell = static_cast<const KROViewpointCell*>(cells[index]);
      KRO3DViewpoint* viewpoint = cell ? cell->GetViewpoint() : nullptr;
      if (viewpoint && viewpoint->CanBeDisplayed() && viewpoint->GetDisplayFlag() != 0) {
        displayed.push_back(viewpoint);
      }
    }
    return displayed;
  }

 private:
  KROI3DMultiViewpointViewer* _Layout = nullptr;
};

}  // namespace

std::vector<KRO3DViewpoint*> KRO3DStreamingViewer::DisplayedLayoutViewpoints() {
  LayoutAccess layout(*this);
  return layout.IsOn() ? layout.DisplayedViewpoints() : std::vector<KRO3DViewpoint*>{};
}

KRO3DViewpoint* KRO3DStreamingViewer::GetViewpointFromViewIndex(unsigned int viewIndex) {
  const std::vector<KRO3DViewpoint*> displayed = DisplayedLayoutViewpoints();
  if (viewIndex < displayed.size()) return displayed[viewIndex];
  return viewIndex == 0 ? GetMain3DViewpoint() : nullptr;
}

void KRO3DStreamingViewer::RebindIfStreaming(unsigned int viewIndex, KRO3DViewpoint* viewpoint) {
  ViewParameters& view = _Views[viewIndex];
  if (view.viewpoint.Get() == viewpoint || !view.clientNode || !view.active) return;
  UnsetViewpoint(view);
  SetupViewpoint(view, viewIndex, viewpoint);
}

void KRO3DStreamingViewer::_OnMultiviewModified(const char* name, KROBaseUnknown*, KRONotification*,
                                                KROSubscriberData, KROCallbackId) {
  if (_Views.empty()) return;
  KRO3DViewpoint* main = GetMain3DViewpoint();

  std::size_t first = 0;
  {
    LayoutAccess layout(*this);
    if (name && layout.IsOn()) {
      const std::vector<KRO3DViewpoint*> displayed = layout.DisplayedViewpoints();
      for (std::size_t n = 0; n < displayed.size(); ++n) {
        if (n < _Views.size()) RebindIfStreaming(static_cast<unsigned int>(n), displayed[n]);
        if (displayed[n] == main) UpdateIndicator(static_cast<int>(n));
      }
      first = displayed.size();
    }
    if (first == 0) {
      if (!main && _AutoDisconnect) {
        DisconnectView(_Views[0]);
      } else {
        RebindIfStreaming(0, main);
      }
      if (layout.IsOffered()) UpdateIndicator(0);
      first = 1;
    }
  }
  for (std::size_t index = first; index < _Views.size(); ++index) {
    ChangeViewpoint(static_cast<unsigned int>(index), nullptr);
  }
}

void KRO3DStreamingViewer::ChangeViewpoint(unsigned int viewIndex, KRO3DViewpoint* viewpoint) {
  if (viewIndex >= _Views.size()) return;
  ViewParameters& view = _Views[viewIndex];
  if (!viewpoint && _AutoDisconnect) {
    DisconnectView(view);
    return;
  }
  RebindIfStreaming(viewIndex, viewpoint);
}

void KRO3DStreamingViewer::GetMultiviewCursorOffset(KRO3DViewpoint& viewpoint, int& x, int& y,
                                                    bool flip) const {
  float originX = 0, originY = 0, width = 0, height = 0;
  viewpoint.GetViewport(originX, originY, width, height);
  x = static_cast<int>(originX);
  y = static_cast<int>(originY);
  const int viewportHeight = static_cast<int>(height);
  if (flip && viewportHeight > 0) {
    y = static_cast<int>(GetSupport()->GetHeight()) - y - viewportHeight;
  }
}
