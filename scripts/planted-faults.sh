#!/usr/bin/env bash
# Replays the planted faults in tests/faults/planted.tsv: each one is applied alone, the native tests
# (or the sanitizer lane's, or the Wine suite, for faults marked so) are rebuilt and run, and the
# fault counts as caught when a test fails. The source tree is restored after each fault, also on
# interruption.
# Usage: scripts/planted-faults.sh [name-filter-regex]
# Line format (tab-separated): name, lane (native|asan|wine), file, exact text to find (once), replacement.
# A fault that does not compile counts as broken, not caught. In the two texts, \n stands for a line feed and \t for a tab.
set -euo pipefail
cd "$(dirname "$0")/.."
filter="${1:-.}"
list=tests/faults/planted.tsv
native=build/faults
asan=build/faults-asan
windows=build/windows

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANTIS_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$native" >/dev/null
if cut -f1,2 "$list" | grep -v '^#' | grep -P '\tasan$' | cut -f1 | grep -qE -- "$filter"; then
  cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANTIS_BENCH=OFF -DMORVANTIS_SANITIZERS=ON \
    "${launcher[@]}" >/dev/null
  cmake --build "$asan" >/dev/null
fi

backup="" target=""
restore() { [ -n "$backup" ] && cp "$backup" "$target" && rm -f "$backup"; backup=""; }
trap restore EXIT INT TERM

caught=0 missed=()
while IFS=$'\t' read -r name lane file find replace; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  [[ "$name" =~ $filter ]] || continue
  target="$file" backup="$(mktemp)"
  cp "$file" "$backup"
  if ! FIND="$find" REPLACE="$replace" perl -0 -i -e '
      my $f = $ENV{FIND}; my $r = $ENV{REPLACE};
      for ($f, $r) { s/\\n/\n/g; s/\\t/\t/g; }
      local $/; my $s = <>; my $n = () = $s =~ /\Q$f\E/g;
      die "found $n times\n" if $n != 1;
      $s =~ s/\Q$f\E/$r/; print $s;' "$file"; then
    echo "STALE  $name: the text to replace is not in $file exactly once"
    missed+=("$name(stale)"); restore; continue
  fi
  if [ "$lane" = wine ]; then
    if ! cmake --build "$windows" >/dev/null 2>&1; then result=broken
    elif ctest --test-dir "$windows" >/dev/null 2>&1; then result=missed
    else result=caught; fi
  elif [ "$lane" = asan ]; then
    if ! cmake --build "$asan" >/dev/null 2>&1; then result=broken
    elif ctest --test-dir "$asan" -L asan -j "$(nproc)" --timeout 300 >/dev/null 2>&1; then result=missed
    else result=caught; fi
  else
    if ! cmake --build "$native" >/dev/null 2>&1; then result=broken
    elif ctest --test-dir "$native" -L plain -j "$(nproc)" --timeout 300 >/dev/null 2>&1; then result=missed
    else result=caught; fi
  fi
  restore
  echo "$result  $name"
  if [ "$result" != caught ]; then missed+=("$name($result)"); else caught=$((caught + 1)); fi
done <"$list"
# Rebuild the restored sources so the trees match the checkout again.
cmake --build "$native" >/dev/null
[ ! -d "$asan" ] || cmake --build "$asan" >/dev/null
echo "caught $caught, missed ${#missed[@]}${missed:+: ${missed[*]}}"
[ ${#missed[@]} -eq 0 ]
