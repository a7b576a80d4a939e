#pragma once

#include "KROEventSubscriber.h"

// The visualization part of a 3D viewer: the display settings (view mode, background), whose
// changes it publishes under the viewer's VIEWER_VIEWMODE_CHANGED and VIEWER_BACKGROUND_CHANGED.
class KROVizViewer : public KROEventSubscriber {
  KRO_DECLARE_CLASS(KROVizViewer)
 public:
  KROVizViewer() = default;

 protected:
  ~KROVizViewer() override = default;
};
