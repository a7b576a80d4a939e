#pragma once

#include <vector>

#include "KRO3DRep.h"
#include "KROReferenceList.h"
#include "KROResult.h"

// A rep that groups other reps, drawn in the order they were added.
class KRO3DBagRep : public KRO3DRep {
  KRO_DECLARE_CLASS(KRO3DBagRep)
 public:
  KRO3DBagRep() = default;

  // Holds a reference to `child`. E_INVALIDARG for null and for a rep that would make the graph
  // a cycle (this bag or one of its ancestors); S_FALSE when already a child.
  HRESULT AddChild(KRO3DRep* child);
  // Drops the reference; E_INVALIDARG for null, S_FALSE when not a child.
  HRESULT RemoveChild(KRO3DRep* child);
  const std::vector<KROPtr<KRO3DRep>>& GetChildren() const { return _Children.Get(); }

 protected:
  ~KRO3DBagRep() override;

 private:
  // True when `rep` is this bag or lies anywhere below it.
  bool Reaches(const KRO3DRep* rep) const;

  KROReferenceList<KRO3DRep> _Children;
};
