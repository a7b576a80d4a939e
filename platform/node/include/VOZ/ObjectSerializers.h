#pragma once

#include <string>
#include <typeindex>

#include "KROResult.h"

namespace VOZ {

class Parameters;

// Turns an object into the nested record of a typed object, and back. An unserialiser returns
// a new object owned by the caller, or null.
using SerializeFunction = HRESULT (*)(Parameters& nested, const void* object);
using UnserializeFunction = void* (*)(const Parameters& nested);

// Binds a (type key, run-time type) pair to its serialiser and unserialiser, process-wide. A
// later registration of the same pair replaces the earlier one.
void RegisterObjectSerializer(const std::string& typeKey, std::type_index type,
                              SerializeFunction serialize, UnserializeFunction unserialize);

}  // namespace VOZ
