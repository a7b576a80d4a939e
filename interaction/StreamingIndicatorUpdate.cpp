#include "viewer/KRO3DStreamingViewer.h"

#include "KRO3DStreamingIndicator.h"

void KRO3DStreamingViewer::UpdateIndicator(int /*viewIndex*/) {
  _Indicator.Reset();
}
