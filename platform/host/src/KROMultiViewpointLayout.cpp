#include "KROI3DMultiViewpointViewer.h"

const IID IID_KROI3DMultiViewpointViewer{"KROI3DMultiViewpointViewer"};

KRO_IMPLEMENT_CLASS(KROViewpointCell, KROBaseUnknown)
KRO_IMPLEMENT_CLASS(KROMultiViewpointLayout, KROBaseUnknown)

KROViewpointCell::~KROViewpointCell() = default;
KROMultiViewpointLayout::~KROMultiViewpointLayout() = default;

void KROMultiViewpointLayout::GetViewpointCells(KRORawCollPV& cells) const {
  for (const auto& cell : _Cells) cells.Append(cell.Get());
}

void KROMultiViewpointLayout::AddCell(KRO3DViewpoint* viewpoint) {
  _Cells.push_back(KROPtr<KROViewpointCell>::Adopt(new KROViewpointCell(viewpoint)));
}
