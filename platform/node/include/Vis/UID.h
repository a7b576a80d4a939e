#pragma once

#include <cstdint>
#include <string>

namespace Vis {

// Identifies a frame or a remote object. The text is the identity; the integer form exists for
// identifiers that are decimal numbers.
class UID {
 public:
  UID() = default;
  explicit UID(const std::string& text);
  explicit UID(uint64_t value);

  std::string ToString() const;
  // 0 when the text is not a plain decimal number or does not fit in 64 bits.
  uint64_t ToInt() const;

  bool operator==(const UID&) const = default;

  static const UID defaultFrameId;
  static const UID resultRootRepID;

 private:
  std::string text_;
};

}  // namespace Vis
