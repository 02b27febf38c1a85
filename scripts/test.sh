#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test, the sanitizer lane included.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANTIS_WERROR=ON -DMORVANTIS_SANITIZERS=ON \
  "${launcher[@]}" >/dev/null
cmake --build build/test
ctest --test-dir build/test --output-on-failure -j "$(nproc)"

# A short libFuzzer run over the parser and the evaluator, from the seed corpus.
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DMORVANTIS_FUZZ=ON -DMORVANTIS_TESTS=OFF -DMORVANTIS_BENCH=OFF \
  -DMORVANTIS_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build/fuzz --target ExpressionFuzzer
mkdir -p build/fuzz/corpus && cp fuzz/corpus/* build/fuzz/corpus/
if ! build/fuzz/fuzz/ExpressionFuzzer -max_total_time=20 -max_len=4096 -rss_limit_mb=2048 build/fuzz/corpus \
  >build/fuzz/fuzz.log 2>&1; then
  tail -n 60 build/fuzz/fuzz.log
  exit 1
fi
echo "fuzz: $(grep -o 'Done [0-9]* runs' build/fuzz/fuzz.log)"
