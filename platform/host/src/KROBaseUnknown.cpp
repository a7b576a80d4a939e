#include "KROBaseUnknown.h"

const IID IID_KROBaseUnknown{"KROBaseUnknown"};

KROBaseUnknown::~KROBaseUnknown() = default;

unsigned long KROBaseUnknown::AddRef() {
  return _RefCount.fetch_add(1, std::memory_order_relaxed) + 1;
}

unsigned long KROBaseUnknown::Release() {
  const unsigned long remaining = _RefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (remaining == 0) delete this;
  return remaining;
}

HRESULT KROBaseUnknown::QueryInterface(const IID& iid, void** out) {
  if (!out) return E_INVALIDARG;
  if (iid == IID_KROBaseUnknown) {
    AddRef();
    *out = this;
    return S_OK;
  }
  *out = nullptr;
  return E_FAIL;
}

KROMetaClass* KROBaseUnknown::meta_object = nullptr;

KROMetaClass* KROBaseUnknown::MetaObject() {
  static KROMetaClass* const registered = meta_object = fct_RetrieveMetaObject(
      "KROBaseUnknown", 1, nullptr, "KRONull", "Ossevar", sizeof(KROBaseUnknown));
  return registered;
}
const char* KROBaseUnknown::ClassName() {
  return MetaObject()->GetClassName();
}
unsigned int KROBaseUnknown::ClassId() {
  return MetaObject()->GetClassId();
}
KROBaseUnknown* KROBaseUnknown::CreateItself() {
  return nullptr;
}
KROMetaClass* KROBaseUnknown::GetMetaObject() const {
  return MetaObject();
}
const char* KROBaseUnknown::IsA() const {
  return ClassName();
}
bool KROBaseUnknown::IsAKindOf(const char* className) const {
  return MetaObject()->IsAKindOf(className);
}
