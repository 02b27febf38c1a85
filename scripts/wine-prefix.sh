#!/usr/bin/env bash
# Creates a Wine prefix for the plugin's tests and demo; quick when it exists.
# Usage: scripts/wine-prefix.sh <prefix-dir>
set -euo pipefail
prefix="$(mkdir -p "${1:?prefix directory}" && cd "$1" && pwd)"
stamp="$prefix/.morvantis-ready"
[ -f "$stamp" ] && exit 0

for tool in wine wineboot wineserver; do
  command -v "$tool" >/dev/null || { echo "wine-prefix: $tool not found (run scripts/setup.sh)" >&2; exit 1; }
done
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko: their installers would ask with a dialog.
export WINEDLLOVERRIDES="mscoree=;mshtml="
echo "wine-prefix: creating $prefix" >&2
wineboot -i >/dev/null 2>&1
wineserver -w
# A crash must end the process, not wait for a click in a dialog nobody sees.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# Xvfb has no window manager; unmanaged windows avoid a 2 s wait per hidden window.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
