#!/usr/bin/env bash
# Cross-builds libpng and libjpeg as static mingw-w64 libraries from Debian's own source packages.
# Usage: scripts/windows-deps.sh <cache-dir>   (the prefix to use ends up in <cache-dir>/install)
# Debian ships no mingw build of either; zlib comes from libz-mingw-w64-dev.
# Returns at once when the cache already holds this recipe's result.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="$(mkdir -p "${1:?cache directory}" && cd "$1" && pwd)"
prefix="$cache/install"
recipe=3 # bump when the steps below change
stamp="$cache/done-$recipe"
[ -f "$stamp" ] && exit 0

exec 9>"$cache/lock"
flock 9
[ -f "$stamp" ] && exit 0

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
mingw=/usr/x86_64-w64-mingw32
jobs="$(nproc)"

rm -rf "$cache/src" "$cache/build" "$prefix"
bash "$root/scripts/debian-source.sh" "$cache/src" libpng1.6 libjpeg-turbo

cmake_cross() { # source-dir build-dir cmake-args...
  local src="$1" bld="$2"
  shift 2
  cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR="$prefix/lib" -DCMAKE_INSTALL_INCLUDEDIR="$prefix/include" -Wno-dev "$@" >/dev/null
  cmake --build "$bld" -j "$jobs" >/dev/null
  cmake --install "$bld" >/dev/null
}

echo "windows-deps: building libjpeg-turbo" >&2
jpeg_src="$cache/src/libjpeg-turbo"
cmake_cross "$jpeg_src" "$cache/build/jpeg" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
# JUCE compiles with JPEG_INTERNALS, which needs the internal header beside the public ones.
cp "$jpeg_src/jpegint.h" "$prefix/include/"
# <windows.h> already typedefs boolean (rpcndr.h) and jconfig.h then skips its own; JUCE's jpeg
# namespace needs it there too. Same type, so making it unconditional changes no ABI.
sed -i '/^#ifndef __RPCNDR_H__/{N;N;s/^#ifndef __RPCNDR_H__[^\n]*\n\(typedef unsigned char boolean;[^\n]*\)\n#endif[^\n]*/\1/}' \
  "$prefix/include/jconfig.h"
if grep -q __RPCNDR_H__ "$prefix/include/jconfig.h"; then
  echo "windows-deps: jconfig.h has an unexpected shape" >&2
  exit 1
fi

echo "windows-deps: building libpng" >&2
cmake_cross "$cache/src/libpng1.6" "$cache/build/png" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DZLIB_INCLUDE_DIR="$mingw/include" -DZLIB_LIBRARY="$mingw/lib/libz.a"

for lib in libpng.a libjpeg.a; do
  [ -f "$prefix/lib/$lib" ] || { echo "windows-deps: $lib missing after the build" >&2; exit 1; }
done
rm -rf "$cache/build"
touch "$stamp"
