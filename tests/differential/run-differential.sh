#!/usr/bin/env bash
# The differential lane: seeded statements evaluated by the native engine and by the DLL under Wine
# (through exprCalc, and a sample through the "Expression" command); any difference in the bits of a
# result, a status text or the clipboard fails it.
# Usage: run-differential.sh <native Differential binary> <windows build dir> [seed]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
native="$(realpath "$1")" windows="$(cd "$2" && pwd)" seed="${3:-20261206}"
work="$windows/differential"
rm -rf "$work" && mkdir -p "$work"
cp "$windows/editor/MorvantisHost.exe" "$windows/editor/Scintilla.dll" "$work/"
mkdir -p "$work/plugins/MorvantisNpp64"
cp "$windows/editor/plugins/MorvantisNpp64/MorvantisNpp64.dll" "$work/plugins/MorvantisNpp64/"
cd "$work"
# Calendar fields are local time: both halves run in UTC.
export TZ=UTC
"$native" generate "$seed" statements.txt sample.txt
"$native" evaluate statements.txt native.txt sample.txt native-commands.txt

bash "$here/../../scripts/wine-prefix.sh" "$windows/wine-prefix"
export WINEPREFIX="$windows/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
xvfb-run -a bash -c 'wine ./MorvantisHost.exe differential statements.txt dll.txt sample.txt dll-commands.txt; status=$?; wineserver -w; exit $status'

status=0
"$native" compare statements.txt native.txt dll.txt || status=1
"$native" compare sample.txt native-commands.txt dll-commands.txt || status=1
exit $status
