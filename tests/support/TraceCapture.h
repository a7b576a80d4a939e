#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "Vorn/TraceSink.h"

namespace TestSupport {

// Collects the texts of the entries of the trace records emitted while it lives — of every
// operation, or of one only — and puts the previous sink back afterwards.
class TraceCapture {
 public:
  explicit TraceCapture(std::string operation = {}) : _Operation(std::move(operation)) {
    _Previous = Vorn::SetTraceSink([this](const Vorn::TraceRecord& record) {
      if (!_Operation.empty() && record.operation != _Operation) return;
      std::lock_guard lock(_Mutex);
      for (const auto& entry : record.entries) _Texts.push_back(entry.text);
    });
  }
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;
  ~TraceCapture() { Vorn::SetTraceSink(_Previous); }

  std::vector<std::string> Texts() {
    std::lock_guard lock(_Mutex);
    return _Texts;
  }

 private:
  const std::string _Operation;
  std::mutex _Mutex;
  std::vector<std::string> _Texts;
  Vorn::TraceSink _Previous;
};

}  // namespace TestSupport
