#pragma once

#include <cstdint>

#include "KRO3DViewpoint.h"
#include "KRODialog.h"
#include "KROEventSubscriber.h"
#include "KROGraphicSupport.h"
#include "KROI3DMultiViewpointViewer.h"
#include "KROPtr.h"
#include "KROString.h"
#include "KROVizViewer.h"

// The host's navigation 3D viewer: a drawing support (a window unless the flags ask for a
// plain support), a visualization viewer and a main viewpoint, which a window displays.
class KRONavigation3DViewer : public KROEventSubscriber {
  KRO_DECLARE_CLASS(KRONavigation3DViewer)
 public:
  // Flag bit: draw on a plain KROGraphicSupport instead of a KROGraphicWindow.
  static constexpr unsigned long kPlainSupport = 0x1;

  KRONavigation3DViewer(KRODialog* parent, const KROString& name, std::uint64_t style, int width,
                        int height, unsigned long flags);

  KRO_DECLARE_NOTIFICATION(VIEWER_MAINVIEWPOINT_CHANGED)
  KRO_DECLARE_NOTIFICATION(VIEWER_VIEWMODE_CHANGED)
  KRO_DECLARE_NOTIFICATION(VIEWER_BACKGROUND_CHANGED)

  KROGraphicSupport* GetSupport() const { return _Support.Get(); }
  KROVizViewer* GetVizViewer() const { return _VizViewer.Get(); }
  KRO3DViewpoint* GetMain3DViewpoint() const { return _MainViewpoint.Get(); }
  void SetMain3DViewpoint(KRO3DViewpoint* viewpoint);

  // A viewer offers the multi-viewpoint interface (IID_KROI3DMultiViewpointViewer) only while
  // it has a layout; null takes it away.
  void SetMultiViewpointLayout(KROMultiViewpointLayout* layout);
  HRESULT QueryInterface(const IID& iid, void** out) override;
  KRODialog* GetParent() const { return _Parent; }
  const KROString& GetName() const { return _Name; }

  // Asks the support to redraw; callable from any thread.
  void Draw() { _Support->Draw(); }

  // Resource names of the viewer's class chain, most derived first: index 0 is this class's.
  virtual KROString GetResourceFilename(int index) const;

 protected:
  ~KRONavigation3DViewer() override;

 private:
  KRODialog* const _Parent;
  const KROString _Name;
  const KROPtr<KROGraphicSupport> _Support;
  const KROPtr<KROVizViewer> _VizViewer;
  KROPtr<KRO3DViewpoint> _MainViewpoint;
  KROPtr<KROMultiViewpointLayout> _Layout;
};
