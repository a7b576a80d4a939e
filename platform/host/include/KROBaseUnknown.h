#pragma once

#include <atomic>
#include <cstring>

#include "KROClassMacros.h"
#include "KROMetaClass.h"
#include "KROResult.h"

// Interface identifier used by QueryInterface.
struct IID {
  const char* name;
  bool operator==(const IID& other) const { return std::strcmp(name, other.name) == 0; }
};

extern const IID IID_KROBaseUnknown;

// Root of the host object model: reference counted, created with one reference held by its
// creator, destroyed when the last reference is released.
class KROBaseUnknown {
 public:
  KROBaseUnknown() = default;
  KROBaseUnknown(const KROBaseUnknown&) : _RefCount(1) {}
  KROBaseUnknown& operator=(const KROBaseUnknown&) { return *this; }

  unsigned long AddRef();
  unsigned long Release();
  unsigned long GetRefCount() const { return _RefCount.load(std::memory_order_acquire); }

  // Gives another interface of this object with a new reference, or E_NOINTERFACE-like
  // failure (E_FAIL) with `out` set to null.
  virtual HRESULT QueryInterface(const IID& iid, void** out);

  static KROMetaClass* meta_object;
  static KROMetaClass* MetaObject();
  static const char* ClassName();
  static unsigned int ClassId();
  static KROBaseUnknown* CreateItself();
  virtual KROMetaClass* GetMetaObject() const;
  virtual const char* IsA() const;
  virtual bool IsAKindOf(const char* className) const;

 protected:
  virtual ~KROBaseUnknown();

 private:
  std::atomic<unsigned long> _RefCount{1};
};
