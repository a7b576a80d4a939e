#pragma once

#include <optional>
#include <string>

#include "JSON/JOStream.h"
#include "KROResult.h"
#include "Vorn/TraceRecord.h"

namespace Vorn {

// Collects what happens during one operation and hands it to the trace sink as one record when
// the operation ends. A trace destroyed without End is emitted with no result, which marks an
// operation abandoned on an unexpected path. One trace belongs to one thread at a time.
class Trace {
 public:
  Trace(const std::string& tag, const std::string& operation, const JSON::JOStream& context);
  Trace(const Trace&) = delete;
  Trace& operator=(const Trace&) = delete;
  ~Trace();

  // Entries after End are ignored: the record has already left.
  void Info(const std::string& category, const std::string& text);
  void Warning(const std::string& category, const std::string& text);
  // Only the first End counts.
  void End(HRESULT result);

 private:
  void Add(TraceEntry::Level level, const std::string& category, const std::string& text);
  void Emit(std::optional<HRESULT> result);

  TraceRecord record_;
  bool ended_ = false;
};

}  // namespace Vorn
