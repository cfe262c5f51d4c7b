#!/usr/bin/env bash
# Fetches the upstream sources of Debian's packages into DEST/src and unpacks them there, through a source
# list of our own (no root needed, the system's apt setup untouched). Already unpacked packages are kept.
#   scripts/fetch-debian-sources.sh DEST PACKAGE...
set -euo pipefail
dest=$1
shift
apt=$dest/apt src=$dest/src
mkdir -p "$apt/lists/partial" "$src"
missing=()
for package in "$@"; do
  ls "$src/${package}"_*.orig.tar.* >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "deb-src http://deb.debian.org/debian bookworm main" >"$apt/sources.list"
  options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt/lists" -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
  apt-get "${options[@]}" -qq update
  for package in "${missing[@]}"; do
    # The upstream tarball is all a build needs; Debian's packaging part is fetched where the mirror has it.
    (cd "$src" && apt-get "${options[@]}" -qq --download-only source "$package" >/dev/null 2>&1 || true)
    ls "$src/${package}"_*.orig.tar.* >/dev/null 2>&1 ||
      { echo "fetch-debian-sources: could not fetch Debian's source of $package" >&2; exit 1; }
  done
fi
for package in "$@"; do
  for tarball in "$src/${package}"_*.orig.tar.*; do
    stamp=$src/.unpacked.$(basename "$tarball")
    [ -f "$stamp" ] || { tar xf "$tarball" -C "$src" && touch "$stamp"; }
  done
done
