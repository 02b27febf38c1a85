#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the native suites (plain, and the
# address/leak/undefined-behaviour lane), the concurrency tests under ThreadSanitizer, a bounded
# fuzzing run, then the Windows DLL's tests under Wine and the differential run of the DLL against the
# native engine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# Every C++ file as the checked-in .clang-format lays it out.
find expression cube plugin tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -not -path '*/corpus/*' -print0 |
  xargs -0 clang-format --dry-run --Werror

cmake --preset native >/dev/null
cmake --build build/native
status=0
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1

# A bounded libFuzzer run over the parser and the evaluator, from the seed corpus. Any crash, leak,
# sanitizer report or single input slower than the timeout fails it.
cmake --preset fuzz >/dev/null
cmake --build build/fuzz --target ExpressionFuzzer
mkdir -p build/fuzz/corpus && cp fuzz/corpus/* build/fuzz/corpus/
if build/fuzz/fuzz/ExpressionFuzzer -max_total_time=60 -timeout=30 -max_len=4096 -rss_limit_mb=2048 \
  -artifact_prefix=build/fuzz/ build/fuzz/corpus \
  >build/fuzz/fuzz.log 2>&1; then
  echo "fuzz: $(grep -o 'Done [0-9]* runs' build/fuzz/fuzz.log), $(grep -o 'cov: [0-9]* ft: [0-9]*' build/fuzz/fuzz.log | tail -n 1)"
else
  tail -n 60 build/fuzz/fuzz.log
  status=1
fi

# The DLL (the same tree scripts/build.sh uses) and its tests under Wine.
cmake --preset windows >/dev/null
cmake --build build/windows
ctest --test-dir build/windows --output-on-failure || status=1

# The DLL must compute exactly what the native engine computes: the same statements through both.
bash tests/differential/run-differential.sh build/native/tests/Differential build/windows || status=1
exit $status
