#!/usr/bin/env bash
# Fetches Debian source packages through a private deb-src view of the machine's own apt sources
# (the system's apt set-up stays untouched) and unpacks each into <dir>/<package>.
# Usage: scripts/debian-source.sh <dir> <package>...
set -euo pipefail
dir="$(mkdir -p "${1:?target directory}" && cd "$1" && pwd)"
shift
apt="$dir/.apt"
rm -rf "$apt"
mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/files"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  sed -E 's/^Types:.*/Types: deb-src/' "$f" >"$apt/sources.list.d/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
  sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >"$apt/sources.list.d/base.list"
fi
aptopts=(
  -o Dir::Etc::SourceList=/dev/null
  -o "Dir::Etc::SourceParts=$apt/sources.list.d"
  -o "Dir::State::Lists=$apt/lists"
  -o "Dir::Cache=$apt/cache"
  -o Debug::NoLocking=1
  -o APT::Sandbox::User="$(id -un)"
)
echo "debian-source: fetching $*" >&2
apt-get "${aptopts[@]}" -qq update
for pkg in "$@"; do
  fetched=""
  # Newest version first; a mirror may list a version whose files it no longer serves.
  for version in $(apt-cache "${aptopts[@]}" showsrc --only-source "$pkg" | sed -n 's/^Version: //p' | sort -rV); do
    if (cd "$apt/files" && apt-get "${aptopts[@]}" -qq source --download-only "$pkg=$version" >/dev/null 2>&1); then
      fetched=yes
      break
    fi
    rm -f "$apt/files/${pkg}_"*
  done
  [ -n "$fetched" ] || { echo "debian-source: no source package of $pkg could be fetched" >&2; exit 1; }
  rm -rf "${dir:?}/$pkg"
  # apt has checked the files against the signed release index; the keyless .dsc check only warns.
  dpkg-source -x "$apt/files/${pkg}_"*.dsc "$dir/$pkg" >"$apt/unpack.log" 2>&1 || { cat "$apt/unpack.log" >&2; exit 1; }
done
rm -rf "$apt"
