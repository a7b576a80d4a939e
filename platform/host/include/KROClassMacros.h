#pragma once

// Class registration of the host object model. Every class has the statics ClassName,
// ClassId, MetaObject and CreateItself, caches its metaclass in `meta_object`, and overrides
// GetMetaObject, IsA and IsAKindOf.
#define KRO_DECLARE_CLASS(Class)                        \
 public:                                                \
  static KROMetaClass* meta_object;                     \
  static KROMetaClass* MetaObject();                    \
  static const char* ClassName();                       \
  static unsigned int ClassId();                        \
  static KROBaseUnknown* CreateItself();                \
  KROMetaClass* GetMetaObject() const override;         \
  const char* IsA() const override;                     \
  bool IsAKindOf(const char* className) const override; \
                                                        \
 private:

// `BaseClass::MetaObject()` is the base of the registration; classes are never created by
// name, so CreateItself returns null.
#define KRO_IMPLEMENT_CLASS(Class, BaseClass)                                     \
  KROMetaClass* Class::meta_object = nullptr;                                     \
  KROMetaClass* Class::MetaObject() {                                             \
    static KROMetaClass* const registered = meta_object = fct_RetrieveMetaObject( \
        #Class, 1, BaseClass::MetaObject(), "KRONull", "Ossevar", sizeof(Class)); \
    return registered;                                                            \
  }                                                                               \
  const char* Class::ClassName() {                                                \
    return MetaObject()->GetClassName();                                          \
  }                                                                               \
  unsigned int Class::ClassId() {                                                 \
    return MetaObject()->GetClassId();                                            \
  }                                                                               \
  KROBaseUnknown* Class::CreateItself() {                                         \
    return nullptr;                                                               \
  }                                                                               \
  KROMetaClass* Class::GetMetaObject() const {                                    \
    return MetaObject();                                                          \
  }                                                                               \
  const char* Class::IsA() const {                                                \
    return ClassName();                                                           \
  }                                                                               \
  bool Class::IsAKindOf(const char* className) const {                            \
    return MetaObject()->IsAKindOf(className);                                    \
  }

// A notification name is a static operation in capitals returning the owner's class name +
// the name + "Evt", which is also the name of a notification class registered on first use.
#define KRO_DECLARE_NOTIFICATION(NAME) static const char* NAME();

#define KRO_IMPLEMENT_NOTIFICATION(Class, NAME)           \
  const char* Class::NAME() {                             \
    static const KROMetaClass* const registered =         \
        KRORegisterNotificationClass(#Class #NAME "Evt"); \
    return registered->GetClassName();                    \
  }
