#include "KRO3DStreamingIndicator.h"

KRO_IMPLEMENT_CLASS(KRO3DStreamingIndicator, KRO3DIndicator)
