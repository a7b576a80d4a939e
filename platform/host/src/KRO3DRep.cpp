#include "KRO3DRep.h"

KRO_IMPLEMENT_CLASS(KRO3DRep, KROBaseUnknown)

KRO3DRep::~KRO3DRep() = default;

void KRO3DRep::SetViewMode(int mode, int /*a*/, int /*b*/) {
  _ViewMode = mode;
}
