#!/usr/bin/env bash
# Checks the DLL's export table (exactly the eight entry points, by ordinal) and its import table
# (Windows system DLLs only: the runtime is linked in statically).
set -euo pipefail
objdump="$1" dll="$2"
dump="$("$objdump" -p "$dll")"
status=0

grep -q "file format pei-x86-64" <<<"$dump" || { echo "FAIL: not a 64-bit PE file"; status=1; }

grep -Eq "^Name[[:space:]]+[0-9a-f]+ MorvantisNpp64\.dll$" <<<"$dump" || { echo "FAIL: export table not named MorvantisNpp64.dll"; status=1; }

expected_exports="1 beNotified
2 exprCalc
3 exprCalcW
4 getFuncsArray
5 getName
6 isUnicode
7 messageProc
8 setInfo"
# "[   0] +base[   1] 1590 Export RVA" gives the ordinals; "[Ordinal/Name Pointer] Table" the names.
ordinals="$(sed -n 's/^\s*\[ *\([0-9]*\)\] +base\[ *\([0-9]*\)\].*/\1 \2/p' <<<"$dump")"
names="$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p' <<<"$dump")"
exports="$(join <(sort <<<"$ordinals") <(sort <<<"$names") | awk '{print $2, $3}' | sort -n)"
if [ "$exports" != "$expected_exports" ]; then
  echo "FAIL: export table"
  diff <(echo "$expected_exports") <(echo "$exports") || true
  status=1
fi

allowed="advapi32.dll comdlg32.dll dxgi.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
shell32.dll shlwapi.dll user32.dll version.dll wininet.dll winmm.dll ws2_32.dll wsock32.dll"
imports="$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z' | sort -u)"
[ -n "$imports" ] || { echo "FAIL: no import table"; status=1; }
for dll_name in $imports; do
  if ! grep -qw -- "$dll_name" <<<"$allowed"; then
    echo "FAIL: imports $dll_name, which is not a Windows system DLL"
    status=1
  fi
done

echo "exports: $(tr '\n' ' ' <<<"$exports")"
echo "imports: $(tr '\n' ' ' <<<"$imports")"
exit $status
