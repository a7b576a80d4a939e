#pragma once

#include <optional>
#include <string>
#include <vector>

#include "KROResult.h"

namespace Vorn {

struct TraceEntry {
  enum class Level { Info, Warning };

  Level level;
  std::string category;
  std::string text;

  bool operator==(const TraceEntry&) const = default;
};

// What one traced operation reported, handed to the trace sink when the operation ends.
struct TraceRecord {
  std::string tag;
  std::string operation;
  // JSON object text.
  std::string context;
  std::vector<TraceEntry> entries;
  // Empty when the trace was dropped without End.
  std::optional<HRESULT> result;
};

}  // namespace Vorn
