#include "KRO3DFilterBagRep.h"

KRO_IMPLEMENT_CLASS(KRO3DFilterBagRep, KRO3DBagRep)

KRO3DFilterBagRep* KRO3DFilterBagRep::CreateRep() {
  return new KRO3DFilterBagRep;
}

KRO3DFilterBagRep::~KRO3DFilterBagRep() = default;
