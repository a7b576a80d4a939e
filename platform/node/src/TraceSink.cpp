#include "Vorn/TraceSink.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <utility>

namespace Vorn {

namespace {

std::string HexResult(HRESULT result) {
  char text[sizeof("0x12345678")];
  std::snprintf(text, sizeof(text), "0x%08X", static_cast<uint32_t>(result));
  return text;
}

std::string ToJsonLine(const TraceRecord& record) {
  using Json = nlohmann::ordered_json;
  Json context = Json::parse(record.context, nullptr, false);
  Json entries = Json::array();
  for (const TraceEntry& entry : record.entries) {
    entries.push_back({{"level", entry.level == TraceEntry::Level::Info ? "info" : "warning"},
                       {"category", entry.category},
                       {"text", entry.text}});
  }
  Json line = {{"tag", record.tag},
               {"operation", record.operation},
               {"context", context.is_discarded() ? Json(record.context) : context},
               {"entries", entries},
               {"result", record.result ? Json(HexResult(*record.result)) : Json()}};
  return line.dump(-1, ' ', false, Json::error_handler_t::replace) + '\n';
}

void WriteToStderrWhenEnabled(const TraceRecord& record) {
  static const bool enabled = std::getenv("VORN_TRACE") != nullptr;
  // One call per line so that lines from concurrent traces do not interleave.
  if (enabled) std::fputs(ToJsonLine(record).c_str(), stderr);
}

// Emitters take a reference under the lock and call the sink outside it, so a sink may itself
// trace or swap sinks without deadlocking.
struct SinkSlot {
  std::mutex mutex;
  std::shared_ptr<const TraceSink> sink =
      std::make_shared<const TraceSink>(WriteToStderrWhenEnabled);
};

SinkSlot& Slot() {
  static SinkSlot slot;
  return slot;
}

}  // namespace

TraceSink SetTraceSink(TraceSink sink) {
  auto next = std::make_shared<const TraceSink>(std::move(sink));
  SinkSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  std::swap(slot.sink, next);
  return *next;
}

void EmitTrace(const TraceRecord& record) {
  SinkSlot& slot = Slot();
  std::shared_ptr<const TraceSink> sink;
  {
    std::lock_guard lock(slot.mutex);
    sink = slot.sink;
  }
  try {
    if (*sink) (*sink)(record);
  } catch (...) {
  }
}

}  // namespace Vorn
