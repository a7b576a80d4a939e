#pragma once

#include <msgpack.hpp>

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace Vorn {

// Lets msgpack append straight into the result rather than into a buffer copied out afterwards.
struct ByteSink {
  std::vector<unsigned char>& bytes;
  void write(const char* data, size_t size) {
    const auto* first = reinterpret_cast<const unsigned char*>(data);
    bytes.insert(bytes.end(), first, first + size);
  }
};

// Unpacking by reference leaves strings and bins inside the received bytes, so that buffers can
// share them instead of being copied out.
inline bool ReferenceEverything(msgpack::type::object_type, size_t, void*) {
  return true;
}

// Strict readers of msgpack scalars: the object must have exactly that type, and an integer
// must fit the target; nothing converts.
inline bool ReadScalar(const msgpack::object& object, bool& value) {
  if (object.type != msgpack::type::BOOLEAN) return false;
  value = object.via.boolean;
  return true;
}

template <std::unsigned_integral T>
bool ReadScalar(const msgpack::object& object, T& value) {
  if (object.type != msgpack::type::POSITIVE_INTEGER ||
      object.via.u64 > std::numeric_limits<T>::max()) {
    return false;
  }
  value = static_cast<T>(object.via.u64);
  return true;
}

inline bool ReadScalar(const msgpack::object& object, int32_t& value) {
  constexpr auto kMin = std::numeric_limits<int32_t>::min();
  constexpr auto kMax = std::numeric_limits<int32_t>::max();
  if (object.type == msgpack::type::POSITIVE_INTEGER && object.via.u64 <= uint64_t{kMax}) {
    value = static_cast<int32_t>(object.via.u64);
  } else if (object.type == msgpack::type::NEGATIVE_INTEGER && object.via.i64 >= kMin) {
    value = static_cast<int32_t>(object.via.i64);
  } else {
    return false;
  }
  return true;
}

inline bool ReadScalar(const msgpack::object& object, std::string& value) {
  if (object.type != msgpack::type::STR) return false;
  value.assign(object.via.str.ptr, object.via.str.size);
  return true;
}

template <typename T>
concept MsgpackScalar = requires(const msgpack::object& object, T& value) {
  { ReadScalar(object, value) } -> std::same_as<bool>;
};

}  // namespace Vorn
