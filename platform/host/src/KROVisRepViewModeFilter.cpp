#include "KROVisRepViewModeFilter.h"

KRO_IMPLEMENT_CLASS(KROVisRepViewModeFilter, KROBaseUnknown)

KROVisRepViewModeFilter* KROVisRepViewModeFilter::Create(int viewMode) {
  return new KROVisRepViewModeFilter(viewMode);
}

KROVisRepViewModeFilter::~KROVisRepViewModeFilter() = default;
