#!/usr/bin/env bash
# Installing and packaging end to end: `cmake --install` into a scratch prefix, the installed show played
# from an unrelated working directory under Xvfb, velmora-frame run from there too, the desktop entry and
# the AppStream metainfo validated; with --packages also `cpack`: lintian on the .deb, and the .tar.gz
# unpacked elsewhere and played from there.
# Usage: install_test.sh BUILD_DIR [--packages]
set -u
build=$(realpath "$1")
packages=${2:-}
velmora=$build/velmora
. "$(dirname "$0")/xvfb_session.sh"
cd "$e2e_scratch"

prefix=$e2e_scratch/prefix
nowhere=$e2e_scratch/nowhere
mkdir -p "$nowhere"
if ! cmake --install "$build" --prefix "$prefix" >install.log 2>&1; then
  echo "FAIL: cmake --install:"; cat install.log; exit 1
fi
missing=""
for file in bin/velmora bin/velmora-capture bin/velmora-frame share/velmora/textures/f.txt \
  share/velmora/textures/oskelr.jpg share/applications/org.velmora.Velmora.desktop \
  share/metainfo/org.velmora.Velmora.metainfo.xml share/icons/hicolor/scalable/apps/org.velmora.Velmora.svg \
  share/icons/hicolor/48x48/apps/org.velmora.Velmora.png share/man/man6/velmora.6.gz \
  share/doc/velmora/copyright; do
  [ -e "$prefix/$file" ] || missing+=" $file"
done
[ -z "$missing" ] && pass "cmake --install puts the programs, the show's files and the desktop files in place" ||
  fail "not installed:$missing"

# The installed show's last seconds, started from a folder that holds nothing of it. Without the music in
# the install (a build that composes none) it plays in silence.
music=()
[ -e "$prefix/share/velmora/music" ] || music=(--no-music)
play_from() {
  local bin=$1 name=$2
  (cd "$nowhere" && env -u VELMORA_DATA_DIR "$bin/velmora" --no-dialog --windowed --from 234 "${music[@]}" 2>"$e2e_scratch/stderr.log") &
  pid=$!
  expect_exit "$name played from an unrelated folder" 0
}
play_from "$prefix/bin" "the installed show"
(cd "$nowhere" && "$prefix/bin/velmora-frame" --time 100 --size 160x90 frame.png 2>"$e2e_scratch/stderr.log") &&
  [ -s "$nowhere/frame.png" ] && pass "the installed velmora-frame writes a PNG from an unrelated folder" ||
  fail "the installed velmora-frame: $(cat stderr.log)"

desktop-file-validate "$prefix/share/applications/org.velmora.Velmora.desktop" >validate.log 2>&1 &&
  pass "desktop-file-validate" || fail "desktop-file-validate: $(cat validate.log)"
appstreamcli validate --no-net --strict "$prefix/share/metainfo/org.velmora.Velmora.metainfo.xml" \
  >validate.log 2>&1 && pass "appstreamcli validate" || fail "appstreamcli validate: $(cat validate.log)"

if [ "$packages" = --packages ]; then
  if (cd "$build" && cpack -G "DEB;TGZ" -B "$e2e_scratch/packages") >cpack.log 2>&1; then
    deb=$(ls "$e2e_scratch"/packages/*.deb)
    lintian --fail-on error "$deb" >lintian.log 2>&1 && pass "lintian finds no error in $(basename "$deb")" ||
      fail "lintian: $(cat lintian.log)"
    dpkg-deb -f "$deb" Depends | grep -q libsdl2 && dpkg-deb -f "$deb" Recommends | grep -q ffmpeg &&
      pass "the package depends on what the programs link and recommends ffmpeg" ||
      fail "package relations: $(dpkg-deb -f "$deb" Depends Recommends)"
    mkdir -p "$e2e_scratch/unpacked" && tar -xzf "$e2e_scratch"/packages/*.tar.gz -C "$e2e_scratch/unpacked"
    play_from "$(ls -d "$e2e_scratch"/unpacked/*/)bin" "the unpacked archive"
  else
    fail "cpack: $(cat cpack.log)"
  fi
fi

[ $e2e_failures -eq 0 ]
