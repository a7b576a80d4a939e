#pragma once

#include <utility>

// Counted reference to a host object. Adopt() takes over a reference the caller owns (such as
// the one a new object starts with); the constructor from a raw pointer adds its own.
template <class T>
class KROPtr {
 public:
  KROPtr() = default;
  KROPtr(std::nullptr_t) {}
  explicit KROPtr(T* object) : _Object(object) {
    if (_Object) _Object->AddRef();
  }
  static KROPtr Adopt(T* object) {
    KROPtr result;
    result._Object = object;
    return result;
  }
  KROPtr(const KROPtr& other) : KROPtr(other._Object) {}
  KROPtr(KROPtr&& other) noexcept : _Object(std::exchange(other._Object, nullptr)) {}
  template <class U>
  KROPtr(const KROPtr<U>& other) : KROPtr(other.Get()) {}
  KROPtr& operator=(KROPtr other) noexcept {
    std::swap(_Object, other._Object);
    return *this;
  }
  ~KROPtr() { Reset(); }

  void Reset() {
    if (T* object = std::exchange(_Object, nullptr)) object->Release();
  }
  T* Get() const { return _Object; }
  T* operator->() const { return _Object; }
  T& operator*() const { return *_Object; }
  explicit operator bool() const { return _Object != nullptr; }
  bool operator==(const KROPtr& other) const { return _Object == other._Object; }

 private:
  T* _Object = nullptr;
};
