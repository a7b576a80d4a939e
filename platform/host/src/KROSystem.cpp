#include "KROSystem.h"

#include <cstdio>
#include <cstdlib>

const char* KROGetEnv(const char* name) {
  return name ? std::getenv(name) : nullptr;
}

void KROFatalError(const char* text) {
  std::fprintf(stderr, "%s\n", text ? text : "");
  std::fflush(stderr);
  std::abort();
}
