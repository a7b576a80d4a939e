#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while.
#   scripts/fuzz.sh [seconds per target, default 180]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-180}
scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKROSTREAM_SANITIZE=fuzzer -DKROSTREAM_FUZZ=ON -DKROSTREAM_TESTS=OFF >/dev/null
cmake --build build/fuzz -j "$(nproc)"
for target in build/fuzz/bin/*_fuzzer; do
  name=$(basename "$target")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "== $name: ${seconds}s"
  "$target" "$corpus" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1
done
