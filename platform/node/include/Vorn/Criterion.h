#pragma once

#include <string>
#include <utility>

namespace Vorn::Criterion {

// Selects the rendering node that serves this identifier, such as a session id.
class Identifier {
 public:
  explicit Identifier(std::string value) : value_(std::move(value)) {}

  const std::string& GetValue() const { return value_; }

 private:
  std::string value_;
};

}  // namespace Vorn::Criterion
