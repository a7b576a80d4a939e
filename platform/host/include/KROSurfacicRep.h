#pragma once

#include <vector>

#include "KRO3DFaceGP.h"
#include "KRO3DRep.h"
#include "KROGraphicAttributeSet.h"
#include "KROPtr.h"
#include "KROResult.h"

// A rep made of face primitives, each with its own graphic attributes, drawn with the rep's
// material.
class KROSurfacicRep : public KRO3DRep {
  KRO_DECLARE_CLASS(KROSurfacicRep)
 public:
  struct Primitive {
    KROPtr<KRO3DFaceGP> face;
    KROGraphicAttributeSet attributes;
  };

  // A new rep without primitives, holding one reference.
  static KROSurfacicRep* CreateRep();

  // Holds a reference to `primitive`; E_INVALIDARG for null.
  HRESULT AddGP(KRO3DFaceGP* primitive, const KROGraphicAttributeSet& attributes);
  const std::vector<Primitive>& GetPrimitives() const { return _Primitives; }

 protected:
  ~KROSurfacicRep() override;

 private:
  KROSurfacicRep() = default;

  std::vector<Primitive> _Primitives;
};
