#!/usr/bin/env bash
# Builds the Windows DLL (installing what the build needs first) and demonstrates it: the editor host
# loads it under Wine and runs the "Expression" command on one selection.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake --preset windows >/dev/null
cmake --build build/windows
echo "DLL: build/windows/plugin/MorvantisNpp64.dll"

bash scripts/wine-demo.sh build/windows 'x = 2^10; 3 * sqrt(x)'
