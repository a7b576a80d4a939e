#pragma once

// Value of an environment variable, or null when it is unset.
const char* KROGetEnv(const char* name);

// Reports a broken invariant and ends the process: writes `text` and a newline to the
// standard error, then aborts.
[[noreturn]] void KROFatalError(const char* text);

#define KRO_ASSERT(expression) \
  ((expression) ? static_cast<void>(0) : KROFatalError("AssertionFailed:" #expression))
