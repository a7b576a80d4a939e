#pragma once

#include <cstddef>
#include <string>

// Run-time description of a class of the host object model: its name, a process-unique id
// and its base, so that kind-of questions can be answered by name.
class KROMetaClass {
 public:
  KROMetaClass(const char* className, unsigned int classId, const KROMetaClass* base,
               std::size_t size);
  KROMetaClass(const KROMetaClass&) = delete;
  KROMetaClass& operator=(const KROMetaClass&) = delete;
  const char* GetClassName() const { return _ClassName.c_str(); }
  unsigned int GetClassId() const { return _ClassId; }
  const KROMetaClass* GetBase() const { return _Base; }
  std::size_t GetSize() const { return _Size; }

  // True when this class or one of its bases is named `className`.
  bool IsAKindOf(const char* className) const;

 private:
  const std::string _ClassName;
  const unsigned int _ClassId;
  const KROMetaClass* const _Base;
  const std::size_t _Size;
};

// Returns the one metaclass registered under `className`, creating it on first use. Safe to
// call from several threads at once: all of them get the same metaclass. Later calls with the
// same name return the first registration whatever their other arguments.
KROMetaClass* fct_RetrieveMetaObject(const char* className, int kind, const KROMetaClass* base,
                                     const char* framework, const char* module, std::size_t size);
