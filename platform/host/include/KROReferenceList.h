#pragma once

#include <algorithm>
#include <vector>

#include "KROPtr.h"
#include "KROResult.h"

// An ordered list of host objects that holds one reference to each and holds an object at most
// once, so that removing it once is enough to let it go.
template <class T>
class KROReferenceList {
 public:
  // E_INVALIDARG for null, S_FALSE when already listed.
  HRESULT Add(T* object) {
    if (!object) return E_INVALIDARG;
    if (Contains(object)) return S_FALSE;
    _Objects.emplace_back(object);
    return S_OK;
  }
  // E_INVALIDARG for null, S_FALSE when not listed.
  HRESULT Remove(const T* object) {
    if (!object) return E_INVALIDARG;
    return std::erase_if(_Objects, [object](const KROPtr<T>& o) { return o.Get() == object; })
               ? S_OK
               : S_FALSE;
  }
  bool Contains(const T* object) const {
    return std::any_of(_Objects.begin(), _Objects.end(),
                       [object](const KROPtr<T>& o) { return o.Get() == object; });
  }
  const std::vector<KROPtr<T>>& Get() const { return _Objects; }

 private:
  std::vector<KROPtr<T>> _Objects;
};
