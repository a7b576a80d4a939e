#include "KRO3DIndicator.h"
#include "KROVisInfiniteEnvDeactivationOverload.h"
#include "KROVisInfiniteEnvironment.h"

KRO_IMPLEMENT_CLASS(KROVisInfiniteEnvironment, KROBaseUnknown)
KRO_IMPLEMENT_CLASS(KROVisInfiniteEnvDeactivationOverload, KROBaseUnknown)
KRO_IMPLEMENT_CLASS(KRO3DIndicator, KROBaseUnknown)
