#pragma once

#include <cstddef>
#include <memory>

namespace Vorn {

// Immutable bytes. Copies share one owner, so passing a Binary around never copies the bytes.
class Binary {
 public:
  Binary() = default;
  // Takes ownership of data; release runs once, when the last copy is gone. release must not be
  // null.
  Binary(char* data, size_t size, void (*release)(char*));
  // Points into bytes that owner keeps alive, e.g. a buffer inside a received message.
  Binary(std::shared_ptr<const void> owner, const unsigned char* data, size_t size);

  static Binary Copy(const void* data, size_t size);

  const unsigned char* GetData() const { return data_; }
  size_t GetSize() const { return size_; }

 private:
  std::shared_ptr<const void> owner_;
  const unsigned char* data_ = nullptr;
  size_t size_ = 0;
};

// Compares the bytes, not who owns them.
bool operator==(const Binary& left, const Binary& right);

// Release function for bytes allocated with new char[].
void deallocateArrayChar(char* data);

}  // namespace Vorn
