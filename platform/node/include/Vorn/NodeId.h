#pragma once

#include <cstdint>

namespace Vorn {

// Identifies a remote node; the default value names no node.
class NodeId {
 public:
  NodeId() = default;
  explicit NodeId(uint64_t value) : value_(value), empty_(false) {}

  bool IsEmpty() const { return empty_; }
  uint64_t GetValue() const { return value_; }

  bool operator==(const NodeId&) const = default;

 private:
  uint64_t value_ = 0;
  bool empty_ = true;
};

}  // namespace Vorn
