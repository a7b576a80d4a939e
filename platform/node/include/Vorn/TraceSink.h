#pragma once

#include <functional>

#include "Vorn/TraceRecord.h"

namespace Vorn {

using TraceSink = std::function<void(const TraceRecord&)>;

// Replaces the process-wide sink and returns the previous one; an empty sink drops records. The
// default sink writes each record as one JSON line to stderr when VORN_TRACE is set at the first
// record, and nothing otherwise. A record emitted while the sink is being swapped may still reach
// the previous sink.
TraceSink SetTraceSink(TraceSink sink);

// Hands record to the current sink. Exceptions from the sink are swallowed: tracing must not
// change the outcome of the traced operation.
void EmitTrace(const TraceRecord& record);

}  // namespace Vorn
