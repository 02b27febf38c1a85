#!/usr/bin/env bash
# Loads the DLL into the editor host under Wine, evaluates one selection with the "Expression"
# command and prints the status-bar texts and the clipboard.
# Usage: scripts/wine-demo.sh <windows-build-dir> <selection>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:?windows build directory}" && pwd)"
export DEMO_SELECTION="${2:?selection}"
bash "$root/scripts/wine-prefix.sh" "$build/wine-prefix"
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
export EDITOR_DIR="$build/editor"
xvfb-run -a bash -c 'cd "$EDITOR_DIR" && wine ./MorvantisHost.exe demo "$DEMO_SELECTION"; status=$?; wineserver -w; exit $status'
