#include "KROVisualizationScheduler.h"

#include "KROEventLoop.h"

KRO_IMPLEMENT_CLASS(KROVisualizationScheduler, KROBaseUnknown)

KROVisualizationScheduler* KROVisualizationScheduler::GetInstance() {
  static KROVisualizationScheduler* const instance = new KROVisualizationScheduler;
  return instance;
}

KROVisualizationScheduler::~KROVisualizationScheduler() = default;

void KROVisualizationScheduler::DoDrawJob() {
  KROEventLoop::Get().RunRequestedDraws();
}
