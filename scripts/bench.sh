#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: the engine against muparser (ratio table at the
# end), the engine's scaling, the cube solver, and the DLL's size, load time and first "Expression"
# command under Wine. Extra arguments go to every Google Benchmark run (e.g. --benchmark_min_time=1).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANTIS_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build/bench --target MuparserBench ExpressionBench CubeBench
echo "cores: $(nproc)"
for bench in MuparserBench ExpressionBench CubeBench; do
  build/bench/bench/$bench --benchmark_color=false "$@"
done

cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DMORVANTIS_WINDOWS_DEPS_DIR="$PWD/build/windows-deps" "${launcher[@]}" >/dev/null
cmake --build build/windows
echo "DLL size: $(stat -c %s build/windows/plugin/MorvantisNpp64.dll) bytes"
bash scripts/wine-demo.sh build/windows '1 + 2 * 3'
