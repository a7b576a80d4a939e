#pragma once

#include "KROBaseUnknown.h"

// Tells in which view mode the children of a filter bag are meant to be shown.
class KROVisRepViewModeFilter : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROVisRepViewModeFilter)
 public:
  // A new filter holding one reference.
  static KROVisRepViewModeFilter* Create(int viewMode);
  int GetViewMode() const { return _ViewMode; }

 protected:
  ~KROVisRepViewModeFilter() override;

 private:
  explicit KROVisRepViewModeFilter(int viewMode) : _ViewMode(viewMode) {}

  const int _ViewMode;
};
