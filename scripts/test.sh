#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the native suites (plain, and the
# address/leak/undefined-behaviour lane), the concurrency tests under ThreadSanitizer, a bounded
# fuzzing run, then the Windows DLL's tests under Wine and the differential run of the DLL against the
# native engine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANTIS_WERROR=ON -DMORVANTIS_SANITIZERS=ON \
  -DMORVANTIS_THREAD_SANITIZER=ON "${launcher[@]}" >/dev/null
cmake --build build/test
status=0
ctest --test-dir build/test --output-on-failure -j "$(nproc)" || status=1

# A bounded libFuzzer run over the parser and the evaluator, from the seed corpus. Any crash, leak,
# sanitizer report or single input slower than the timeout fails it.
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DMORVANTIS_FUZZ=ON -DMORVANTIS_TESTS=OFF -DMORVANTIS_BENCH=OFF \
  -DMORVANTIS_WERROR=ON "${launcher[@]}" >/dev/null
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

cmake -S . -B build/test-windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANTIS_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DMORVANTIS_WINDOWS_DEPS_DIR="$PWD/build/windows-deps" \
  "${launcher[@]}" >/dev/null
cmake --build build/test-windows
ctest --test-dir build/test-windows --output-on-failure || status=1

# The DLL must compute exactly what the native engine computes: the same statements through both.
bash tests/differential/run-differential.sh build/test/tests/Differential build/test-windows || status=1
exit $status
