#pragma once

#include <string>

#include "KROEventSubscriber.h"
#include "KROPtr.h"
#include "KROVisInfiniteEnvironment.h"

// The visualization part of a 3D viewer: its display settings (view mode, infinite
// environment), whose changes it publishes under the viewer's VIEWER_VIEWMODE_CHANGED and
// VIEWER_BACKGROUND_CHANGED.
class KROVizViewer : public KROEventSubscriber {
  KRO_DECLARE_CLASS(KROVizViewer)
 public:
  KROVizViewer();

  int GetViewMode() const { return _ViewMode; }
  void SetViewMode(int mode);

  std::string GetInfiniteEnvironmentRootName() const { return _Environment->GetRootName(); }
  // A new copy holding one reference.
  KROVisInfiniteEnvironment* GetCloneOfInfiniteEnvironment() const { return _Environment->Clone(); }
  // Holds a reference to `environment`; null is refused.
  void SetInfiniteEnvironment(KROVisInfiniteEnvironment* environment);

 protected:
  ~KROVizViewer() override;

 private:
  void Publish(const char* name);

  int _ViewMode = 0;
  KROPtr<KROVisInfiniteEnvironment> _Environment;
};
