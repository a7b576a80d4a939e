#pragma once

#include <cstdint>
#include <vector>

#include "KROUnicodeString.h"

namespace Vis {

// The path of one remote object: its representations from the root down, then indices of
// sub-elements below the last one. A path without representations is empty.
struct RepPath {
  std::vector<KROUnicodeString> repIDs;
  std::vector<std::int32_t> subElementIndices;

  bool IsEmpty() const { return repIDs.empty(); }
  friend bool operator==(const RepPath&, const RepPath&) = default;
};

}  // namespace Vis
