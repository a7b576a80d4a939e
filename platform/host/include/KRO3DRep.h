#pragma once

#include "KRO3DBoundingSphere.h"
#include "KROBaseUnknown.h"
#include "KROGraphicAttributeSet.h"
#include "KROGraphicMaterial.h"
#include "KROPtr.h"

// A representation of the 3D scene graph: its bounds, display settings and material. A rep
// without a material of its own is drawn with the material of its nearest ancestor that has one.
class KRO3DRep : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KRO3DRep)
 public:
  KRO3DRep() = default;

  virtual bool IsA3DRep() const { return true; }

  void SetBoundingElement(const KRO3DBoundingSphere& bounds) { _BoundingElement = bounds; }
  const KRO3DBoundingSphere& GetBoundingElement() const { return _BoundingElement; }

  // The two flags are the host's propagation settings; this framework has no view-mode
  // overrides to propagate.
  void SetViewMode(int mode, int a, int b);
  int GetViewMode() const { return _ViewMode; }

  // Holds a reference to `material`; null removes it.
  void SetGraphicMaterial(KROGraphicMaterial* material) {
    _Material = KROPtr<KROGraphicMaterial>(material);
  }
  KROGraphicMaterial* GetGraphicMaterial() const { return _Material.Get(); }
  void SetMaterialInheritance(int inheritance) { _MaterialInheritance = inheritance; }
  int GetMaterialInheritance() const { return _MaterialInheritance; }

  void SetGraphicAttributeSet(const KROGraphicAttributeSet& attributes) {
    _Attributes = attributes;
  }
  const KROGraphicAttributeSet& GetGraphicAttributeSet() const { return _Attributes; }

 protected:
  ~KRO3DRep() override;

 private:
  KRO3DBoundingSphere _BoundingElement;
  int _ViewMode = 0;
  KROPtr<KROGraphicMaterial> _Material;
  int _MaterialInheritance = 0;
  KROGraphicAttributeSet _Attributes;
};
