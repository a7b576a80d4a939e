#pragma once

#include <cstdint>

// The host's packed graphic attributes of a primitive (visibility, pickability, layer...), two
// 32-bit words that this framework carries without decoding.
struct KROGraphicAttributeSet {
  std::uint32_t first = 0;
  std::uint32_t second = 0;

  std::uint32_t GetFirst() const { return first; }
  void SetFirst(std::uint32_t word) { first = word; }
  std::uint32_t GetSecond() const { return second; }
  void SetSecond(std::uint32_t word) { second = word; }
  friend bool operator==(const KROGraphicAttributeSet&, const KROGraphicAttributeSet&) = default;
};
