#pragma once

#include "KRO3DViewpoint.h"
#include "KROBaseUnknown.h"
#include "KROPtr.h"
#include "KRORawCollPV.h"

extern const IID IID_KROI3DMultiViewpointViewer;

// One cell of a multi-viewpoint layout: a rectangle of the window showing a viewpoint.
class KROViewpointCell : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROViewpointCell)
 public:
  explicit KROViewpointCell(KRO3DViewpoint* viewpoint) : _Viewpoint(viewpoint) {}
  KRO3DViewpoint* GetViewpoint() const { return _Viewpoint.Get(); }

 protected:
  ~KROViewpointCell() override;

 private:
  const KROPtr<KRO3DViewpoint> _Viewpoint;
};

// What a viewer offers when it can show several viewpoints side by side.
class KROI3DMultiViewpointViewer : public KROBaseUnknown {
 public:
  // Non-zero while the layout is shown.
  virtual int IsMultiViewpointLayoutOn() const = 0;
  // Appends the cells (KROViewpointCell*) in layout order; they live as long as the layout.
  virtual void GetViewpointCells(KRORawCollPV& cells) const = 0;

 protected:
  ~KROI3DMultiViewpointViewer() override = default;
};

// The host's layout of viewpoint cells, offered by a viewer through QueryInterface.
class KROMultiViewpointLayout : public KROI3DMultiViewpointViewer {
  KRO_DECLARE_CLASS(KROMultiViewpointLayout)
 public:
  KROMultiViewpointLayout() = default;

  int IsMultiViewpointLayoutOn() const override { return _On ? 1 : 0; }
  void GetViewpointCells(KRORawCollPV& cells) const override;

  void SetLayoutOn(bool on) { _On = on; }
  // A null viewpoint makes a cell that shows nothing.
  void AddCell(KRO3DViewpoint* viewpoint);
  void ClearCells() { _Cells.clear(); }

 protected:
  ~KROMultiViewpointLayout() override;

 private:
  bool _On = false;
  std::vector<KROPtr<KROViewpointCell>> _Cells;
};
