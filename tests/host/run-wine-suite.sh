#!/usr/bin/env bash
# Runs every case group of the editor host against the DLL under Wine, all inside one Xvfb session.
# Usage: run-wine-suite.sh <wine-prefix> <editor-dir holding MorvantisHost.exe and plugins\...>
# Without Wine or Xvfb this fails: the DLL is only tested here.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
prefix="$1" editor="$2"
for tool in wine wineserver xvfb-run; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool not found; run scripts/setup.sh" >&2; exit 1; }
done
[ -f "$editor/MorvantisHost.exe" ] && [ -f "$editor/plugins/MorvantisNpp64/MorvantisNpp64.dll" ] \
  || { echo "FAIL: $editor lacks the host or the DLL" >&2; exit 1; }

bash "$here/../../scripts/wine-prefix.sh" "$prefix"
export WINEPREFIX="$(cd "$prefix" && pwd)" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
export EDITOR_DIR="$editor"

# Each group is its own process, so a crash in one is reported and the others still run.
# "module" ends by freeing the DLL and "about" leaves JUCE's timer thread behind.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  failed=()
  cd "$EDITOR_DIR"
  for group in module command about; do
    start=${EPOCHREALTIME/./}
    if timeout 300 wine ./MorvantisHost.exe "$group"; then result=ok; else result="FAILED ($?)"; failed+=("$group"); fi
    elapsed=$(( ${EPOCHREALTIME/./} - start ))
    printf "%-8s %s in %d.%02d s\n" "$group" "$result" $((elapsed / 1000000)) $((elapsed % 1000000 / 10000))
  done
  wineserver -w
  if [ ${#failed[@]} -gt 0 ]; then echo "failed groups: ${failed[*]}"; exit 1; fi
'
