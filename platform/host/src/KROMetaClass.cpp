#include "KROMetaClass.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

KROMetaClass::KROMetaClass(const char* className, unsigned int classId, const KROMetaClass* base,
                           std::size_t size)
    : _ClassName(className), _ClassId(classId), _Base(base), _Size(size) {}

bool KROMetaClass::IsAKindOf(const char* className) const {
  if (!className) return false;
  for (const KROMetaClass* meta = this; meta; meta = meta->_Base) {
    if (meta->_ClassName == className) return true;
  }
  return false;
}

namespace {

struct MetaClassRegistry {
  std::mutex mutex;
  std::map<std::string, std::unique_ptr<KROMetaClass>, std::less<>> byName;
};

// Never destroyed: metaclasses are used by static objects until the very end of the process.
MetaClassRegistry& Registry() {
  static auto* registry = new MetaClassRegistry;
  return *registry;
}

}  // namespace

KROMetaClass* fct_RetrieveMetaObject(const char* className, int /*kind*/, const KROMetaClass* base,
                                     const char* /*framework*/, const char* /*module*/,
                                     std::size_t size) {
  MetaClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto found = registry.byName.find(std::string_view(className));
  if (found != registry.byName.end()) return found->second.get();
  const auto classId = static_cast<unsigned int>(registry.byName.size() + 1);
  auto& slot = registry.byName[className];
  slot = std::make_unique<KROMetaClass>(className, classId, base, size);
  return slot.get();
}
