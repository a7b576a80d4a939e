#include "VOZ/ObjectSerializers.h"

#include <map>
#include <mutex>
#include <utility>

#include "VOZ/Parameters.h"
#include "Vorn/Trace.h"

namespace VOZ {

namespace {

struct Serializers {
  SerializeFunction serialize = nullptr;
  UnserializeFunction unserialize = nullptr;
};

struct SerializerRegistry {
  std::mutex mutex;
  std::map<std::pair<std::string, std::type_index>, Serializers> byKey;
};

SerializerRegistry& Registry() {
  static SerializerRegistry registry;
  return registry;
}

Serializers Lookup(const std::string& typeKey, std::type_index type) {
  SerializerRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto found = registry.byKey.find({typeKey, type});
  return found == registry.byKey.end() ? Serializers{} : found->second;
}

}  // namespace

void RegisterObjectSerializer(const std::string& typeKey, std::type_index type,
                              SerializeFunction serialize, UnserializeFunction unserialize) {
  SerializerRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  registry.byKey.insert_or_assign({typeKey, type}, Serializers{serialize, unserialize});
}

SerializeFunction Parameters::GetSerializeFunction(const std::string& typeKey,
                                                   std::type_index type) const {
  return Lookup(typeKey, type).serialize;
}

UnserializeFunction Parameters::GetUnserializeFunction(const Parameters& /*nested*/,
                                                       const std::string& typeKey,
                                                       std::type_index type) const {
  return Lookup(typeKey, type).unserialize;
}

HRESULT Parameters::PublishError(const std::string& text) const {
  Vorn::Trace trace("VOZ", "Parameters", JSON::JOStream());
  trace.Warning("PublishError", text);
  trace.End(E_FAIL);
  return E_FAIL;
}

}  // namespace VOZ
