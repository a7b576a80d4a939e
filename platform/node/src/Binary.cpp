#include "Vorn/Binary.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Vorn {

Binary::Binary(char* data, size_t size, void (*release)(char*))
    : owner_(std::shared_ptr<char>(data, release)),
      data_(reinterpret_cast<const unsigned char*>(data)),
      size_(size) {}

Binary::Binary(std::shared_ptr<const void> owner, const unsigned char* data, size_t size)
    : owner_(std::move(owner)), data_(data), size_(size) {}

Binary Binary::Copy(const void* data, size_t size) {
  if (size == 0) return {};
  auto* copy = new char[size];
  std::memcpy(copy, data, size);
  return Binary(copy, size, deallocateArrayChar);
}

bool operator==(const Binary& left, const Binary& right) {
  return std::equal(left.GetData(), left.GetData() + left.GetSize(), right.GetData(),
                    right.GetData() + right.GetSize());
}

void deallocateArrayChar(char* data) {
  delete[] data;
}

}  // namespace Vorn
