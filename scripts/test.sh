#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   scripts/test.sh            the suite
#   scripts/test.sh asan       the suite under AddressSanitizer + UndefinedBehaviorSanitizer
#   scripts/test.sh tsan       the suite under ThreadSanitizer
#   scripts/test.sh ci         the suite, then the ASan+UBSan suite (what CI runs)
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-normal}
jobs=$(nproc)

run_suite() {  # name, sanitizer
  local dir="build/$1"
  echo "== $1: configure and build"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKROSTREAM_SANITIZE="$2" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== $1: test"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300
}

scripts/install-deps.sh

# Clones in other folders (CI's) share the compiler cache: paths inside the tree are hashed
# relative to it.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

case "$mode" in
  normal) run_suite normal "" ;;
  asan) run_suite asan address ;;
  tsan) run_suite tsan thread ;;
  ci) run_suite normal "" && run_suite asan address ;;
  *) echo "usage: $0 [normal|asan|tsan|ci]" >&2; exit 2 ;;
esac
