#pragma once

// Value of an environment variable, or null when it is unset.
const char* KROGetEnv(const char* name);

// PCI vendor identifier of the machine's first display adapter (0x10DE for NVIDIA), 0 when
// there is none or it cannot be told.
int KROGetGraphicCardVendorID();

// Reports a broken invariant and ends the process: writes `text` and a newline to the
// standard error, then aborts.
[[noreturn]] void KROFatalError(const char* text);

#define KRO_ASSERT(expression) \
  ((expression) ? static_cast<void>(0) : KROFatalError("AssertionFailed:" #expression))
