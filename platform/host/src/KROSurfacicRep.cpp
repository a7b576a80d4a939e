#include "KROSurfacicRep.h"

KRO_IMPLEMENT_CLASS(KROSurfacicRep, KRO3DRep)

KROSurfacicRep* KROSurfacicRep::CreateRep() {
  return new KROSurfacicRep;
}

KROSurfacicRep::~KROSurfacicRep() = default;

HRESULT KROSurfacicRep::AddGP(KRO3DFaceGP* primitive, const KROGraphicAttributeSet& attributes) {
  if (!primitive) return E_INVALIDARG;
  _Primitives.push_back({KROPtr<KRO3DFaceGP>(primitive), attributes});
  return S_OK;
}
