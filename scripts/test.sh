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
