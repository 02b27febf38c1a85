#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: the engine against muparser (ratio table at the
# end), the engine's scaling, the cube solver, and the DLL's size, load time and first "Expression"
# command under Wine. Extra arguments go to every Google Benchmark run (e.g. --benchmark_min_time=1).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake --preset native >/dev/null
cmake --build build/native --target MuparserBench ExpressionBench CubeBench
echo "cores: $(nproc)"
for bench in MuparserBench ExpressionBench CubeBench; do
  build/native/bench/$bench --benchmark_color=false "$@"
done

cmake --preset windows >/dev/null
cmake --build build/windows
echo "DLL size: $(stat -c %s build/windows/plugin/MorvantisNpp64.dll) bytes"
bash scripts/wine-demo.sh build/windows '1 + 2 * 3'
