#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# Idempotent: when every package is already there it returns at once.
set -euo pipefail

packages=(
  # native build and tests
  g++ make cmake ninja-build pkg-config ccache clang-format
  libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev libcpp-httplib-dev
  juce-modules-source zlib1g-dev libfreetype-dev libpng-dev libjpeg-dev libcurl4-openssl-dev
  clang libclang-rt-14-dev
  # Windows cross build and the Wine-hosted tests
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev
  wine wine64 xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
