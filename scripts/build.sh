#!/usr/bin/env bash
# Builds the project (installing what it needs first): the native libraries and tests, then the
# Windows DLL, which it demonstrates in the editor host under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
cmake --build build/native

cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DMORVANTIS_WINDOWS_DEPS_DIR="$PWD/build/windows-deps" "${launcher[@]}" >/dev/null
cmake --build build/windows
echo "DLL: build/windows/plugin/MorvantisNpp64.dll"

bash scripts/wine-demo.sh build/windows 'x = 2^10; 3 * sqrt(x)'
