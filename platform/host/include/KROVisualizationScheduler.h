#pragma once

#include "KROBaseUnknown.h"

// The host's scheduler of visualization work.
class KROVisualizationScheduler : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROVisualizationScheduler)
 public:
  // The one scheduler of the process, never destroyed.
  static KROVisualizationScheduler* GetInstance();

  // User-interface thread: runs now the requested draw of every window, except a window whose
  // draw is already going on (as when called from a listener of that draw).
  void DoDrawJob();

 protected:
  ~KROVisualizationScheduler() override;

 private:
  KROVisualizationScheduler() = default;
};
