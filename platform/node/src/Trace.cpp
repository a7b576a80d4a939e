#include "Vorn/Trace.h"

#include "Vorn/TraceSink.h"

namespace Vorn {

Trace::Trace(const std::string& tag, const std::string& operation, const JSON::JOStream& context)
    : record_{tag, operation, context.Stringify(), {}, std::nullopt} {}

Trace::~Trace() {
  Emit(std::nullopt);
}

void Trace::Info(const std::string& category, const std::string& text) {
  Add(TraceEntry::Level::Info, category, text);
}

void Trace::Warning(const std::string& category, const std::string& text) {
  Add(TraceEntry::Level::Warning, category, text);
}

void Trace::End(HRESULT result) {
  Emit(result);
}

void Trace::Add(TraceEntry::Level level, const std::string& category, const std::string& text) {
  if (!ended_) record_.entries.push_back({level, category, text});
}

void Trace::Emit(std::optional<HRESULT> result) {
  if (ended_) return;
  ended_ = true;
  record_.result = result;
  EmitTrace(record_);
}

}  // namespace Vorn
