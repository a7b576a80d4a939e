#pragma once

#include <msgpack.hpp>

#include <cstddef>
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

}  // namespace Vorn
