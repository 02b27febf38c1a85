#!/usr/bin/env bash
# Cross-builds libpng and libjpeg as static mingw-w64 libraries from Debian's own source packages, and
# Scintilla.dll (the editor's views, from the scite package) for the Wine host; takes cpp-httplib's single
# header from its source package for the Wine host's test server.
# Usage: scripts/windows-deps.sh <cache-dir>   (the prefix to use ends up in <cache-dir>/install)
# Debian ships no mingw build of any of them; zlib comes from libz-mingw-w64-dev. The httplib.h that
# libcpp-httplib-dev installs only declares what the Linux library libcpp-httplib.so defines.
# Returns at once when the cache already holds this recipe's result.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="$(mkdir -p "${1:?cache directory}" && cd "$1" && pwd)"
prefix="$cache/install"
recipe=5 # bump when the steps below change
stamp="$cache/done-$recipe"
[ -f "$stamp" ] && exit 0

exec 9>"$cache/lock"
flock 9
[ -f "$stamp" ] && exit 0

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
mingw=/usr/x86_64-w64-mingw32
jobs="$(nproc)"

rm -rf "$cache/src" "$cache/build" "$prefix"
bash "$root/scripts/debian-source.sh" "$cache/src" libpng1.6 libjpeg-turbo cpp-httplib scite

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

# A folder of its own, so that the host takes this header and nothing else from the prefix.
mkdir -p "$prefix/httplib"
cp "$cache/src/cpp-httplib/httplib.h" "$prefix/httplib/"

echo "windows-deps: building Scintilla.dll" >&2
# The makefile's own link flags (-static) take libstdc++, libgcc and winpthread into the DLL.
make -C "$cache/src/scite/scintilla/win32" -j "$jobs" CXX=x86_64-w64-mingw32-g++-posix \
  WINDRES=x86_64-w64-mingw32-windres AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib \
  ../bin/Scintilla.dll >"$cache/scintilla.log" 2>&1 || { tail -n 30 "$cache/scintilla.log" >&2; exit 1; }
mkdir -p "$prefix/bin"
cp "$cache/src/scite/scintilla/bin/Scintilla.dll" "$prefix/bin/"
# Wine finds Windows' own DLLs only; a runtime DLL of the compiler would stop the host from starting.
imports="$(x86_64-w64-mingw32-objdump -p "$prefix/bin/Scintilla.dll" | sed -n 's/^\s*DLL Name: //p')"
if grep -qiv -e '^\(gdi32\|imm32\|kernel32\|msimg32\|msvcrt\|ole32\|oleaut32\|user32\)\.dll$' <<<"$imports"; then
  echo "windows-deps: Scintilla.dll imports more than Windows' own DLLs:" $imports >&2
  exit 1
fi

for file in lib/libpng.a lib/libjpeg.a httplib/httplib.h bin/Scintilla.dll; do
  [ -f "$prefix/$file" ] || { echo "windows-deps: $file missing after the build" >&2; exit 1; }
done
rm -rf "$cache/build"
touch "$stamp"
