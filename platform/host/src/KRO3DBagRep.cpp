#include "KRO3DBagRep.h"

#include <algorithm>

KRO_IMPLEMENT_CLASS(KRO3DBagRep, KRO3DRep)

KRO3DBagRep::~KRO3DBagRep() = default;

bool KRO3DBagRep::Reaches(const KRO3DRep* rep) const {
  if (rep == this) return true;
  return std::any_of(_Children.Get().begin(), _Children.Get().end(),
                     [rep](const KROPtr<KRO3DRep>& child) {
                       const auto* bag = dynamic_cast<const KRO3DBagRep*>(child.Get());
                       return bag ? bag->Reaches(rep) : child.Get() == rep;
                     });
}

HRESULT KRO3DBagRep::AddChild(KRO3DRep* child) {
  // A cycle would keep its reps alive forever and make every walk of the graph endless.
  const auto* childBag = dynamic_cast<const KRO3DBagRep*>(child);
  if (childBag && childBag->Reaches(this)) return E_INVALIDARG;
  return _Children.Add(child);
}

HRESULT KRO3DBagRep::RemoveChild(KRO3DRep* child) {
  return _Children.Remove(child);
}
