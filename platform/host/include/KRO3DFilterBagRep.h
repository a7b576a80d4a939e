#pragma once

#include <vector>

#include "KRO3DBagRep.h"
#include "KROReferenceList.h"
#include "KROVisRepViewModeFilter.h"

// A bag whose children the host shows only in the view modes of its filters. Windows of this
// framework have no view mode, so they draw the children whatever the filters say.
class KRO3DFilterBagRep : public KRO3DBagRep {
  KRO_DECLARE_CLASS(KRO3DFilterBagRep)
 public:
  // A new empty bag holding one reference.
  static KRO3DFilterBagRep* CreateRep();

  // Holds a reference; E_INVALIDARG for null, S_FALSE when already added.
  HRESULT AddFilter(KROVisRepViewModeFilter* filter) { return _Filters.Add(filter); }
  const std::vector<KROPtr<KROVisRepViewModeFilter>>& GetFilters() const { return _Filters.Get(); }

 protected:
  ~KRO3DFilterBagRep() override;

 private:
  KRO3DFilterBagRep() = default;

  KROReferenceList<KROVisRepViewModeFilter> _Filters;
};
