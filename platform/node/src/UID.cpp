#include "Vis/UID.h"

#include <charconv>

namespace Vis {

const UID UID::defaultFrameId{std::string("0")};
const UID UID::resultRootRepID{std::string("root")};

UID::UID(const std::string& text) : text_(text) {}

UID::UID(uint64_t value) : text_(std::to_string(value)) {}

std::string UID::ToString() const {
  return text_;
}

uint64_t UID::ToInt() const {
  uint64_t value = 0;
  const char* end = text_.data() + text_.size();
  const auto [stop, error] = std::from_chars(text_.data(), end, value);
  return error == std::errc() && stop == end ? value : 0;
}

}  // namespace Vis
