#!/usr/bin/env bash
# The web page in headless Chromium (WebGL 2 on SwiftShader): ?time=T at ten instants of both halves draws what
# velmora-frame draws, with no control over it; "Start" plays the music and the clock follows it; the seek bar
# seeks, pauses and links to the moment, without clicks in the sound, and hides when the mouse rests; the clock
# plays on while the sound is taken away, and the music joins it when the sound is back; the
# ?rehearse keys jump, pause, step, show the overlay and save screenshots; Escape closes the show, and it ends
# by itself; a browser without WebGL 2 gets the page's message; the music decodes in WebAssembly to the
# desktop's samples and spectra. Each group of checks is a test case of its own (ctest runs them as web_CASE).
#   web_test.sh CASE SITE_DIR BUILD_DIR   (CASE: instants, play, rehearse, page or music; SITE_DIR:
#   build-web/site, with decode_music.js beside it; BUILD_DIR: the desktop build, with tools/velmora-frame,
#   tests/decode_music and the show's files). Exit code 77 (skipped) when the page has not been built.
set -uo pipefail
case ${1:-} in
  instants | play | rehearse | page | music) ;;
  *) echo "usage: web_test.sh instants|play|rehearse|page|music SITE_DIR BUILD_DIR" >&2; exit 2 ;;
esac
if [ ! -f "$2/index.html" ] || [ ! -f "$2/../decode_music.js" ]; then
  echo "skipped: no web page in $2 (scripts/build-web.sh builds it)"; exit 77
fi
here=$(cd "$(dirname "$0")" && pwd) site=$(cd "$2" && pwd) build=$(cd "$3" && pwd)
scratch=$(mktemp -d)
failures=0
pass() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

source "$here/site_server.sh"
start_site_server "$site" "$scratch"
base=$site_url

chrome() {
  start_chromium --window-size=640,360 "$@" 2>>"$scratch/chromium.log"
}

# psnr A.png B.png: the average PSNR of two pictures, in dB.
psnr() {
  ffmpeg -v error -i "$1" -i "$2" -lavfi psnr=stats_file=- -f null - | awk -F'psnr_avg:' '{split($2, p, " "); print p[1]}'
}

# The page draws each instant at 320 x 180 and posts its pixels back. The two rasterisers differ in their
# multisample positions and texture sampling, which moves the fine dot patterns of the textures by a texel
# here and there: measured 29.3 to 49.6 dB against velmora-frame (native batched against compat: 34 to 96 dB),
# with no shape, colour or layout different, so the bound is 27 dB.
instants() {
  local instant value
  for instant in 10 34 64 97 118 134 150 176 205 228; do
    chrome "$base?time=$instant&size=320x180&upload=/upload/$instant.rgb"
    wait_until 60 [ -s "$scratch/$instant.rgb" ]
    stop_chromium $browser
    if [ ! -s "$scratch/$instant.rgb" ]; then
      fail "?time=$instant: no picture came back"; continue
    fi
    ffmpeg -v error -y -f rawvideo -pix_fmt rgb24 -s 320x180 -i "$scratch/$instant.rgb" "$scratch/web_$instant.png"
    (cd "$build" && tools/velmora-frame --time "$instant" --size 320x180 "$scratch/native_$instant.png" 2>/dev/null)
    value=$(psnr "$scratch/web_$instant.png" "$scratch/native_$instant.png")
    if [ -n "$value" ] && awk -v p="$value" 'BEGIN { exit !(p > 27) }'; then
      pass "?time=$instant against velmora-frame: PSNR $value dB"
    else
      fail "?time=$instant against velmora-frame: PSNR '$value' dB"
      mkdir -p "$build/test-artifacts" && cp "$scratch/web_$instant.png" "$scratch/native_$instant.png" "$build/test-artifacts/"
    fi
  done
}

# drive MODE URL: what tests/web/drive_page.py saw in MODE, its "name value" lines into `seen`.
declare -A seen
drive() {
  seen=()
  while read -r name value; do seen[$name]=$value; done < <(python3 "$here/drive_page.py" "$1" "$2" \
    "$scratch/profile-$1" 2>>"$scratch/drive.log")
}

# expect DESCRIPTION CONDITION: passes when the awk condition holds, each of the readings an awk variable.
expect() {
  local name readings=()
  for name in "${!seen[@]}"; do readings+=(-v "$name=${seen[$name]}"); done
  if awk "${readings[@]}" "function abs(x) { return x < 0 ? -x : x } BEGIN { exit !($2) }"; then
    pass "$1"
  else
    fail "$1 ($(tail -n 3 "$scratch/drive.log"))"
  fi
}

# Played as a person plays it, with real clicks over the DevTools protocol: "Start" (the music starts with
# the click and the demo clock follows what is heard), once the music is 8 s in the seek bar (a click on the
# track lands on the frame under it, the pause button holds the clock, play goes on, the link carries the
# clock; the sound is a sine meanwhile, in which a fade that jumps would show), the mouse left to rest, then
# Escape.
play() {
  drive play "$base"
  expect "Start: the music ${seen[music]:-?} s in, the demo clock at ${seen[clock]:-?} s" \
    'ready == 1 && music > 6 && abs(clock - music) < 0.5'
  expect "no seek bar on the title card" 'bar_on_card == 0 && bar_on_card != ""'
  expect "seek bar: a click at 3/4 of the track (${seen[seek_target]:-?} s) landed on ${seen[seek_landed]:-?} s and \
played on (${seen[seek_next]:-?} s; a second later the clock at ${seen[seek_clock]:-?} s, the music at \
${seen[seek_music]:-?} s)" \
    'abs(seek_landed - seek_target) < 1 / 120 + 1e-6 && seek_next > seek_landed && seek_next - seek_landed < 1 &&
     seek_music > seek_target && abs(seek_clock - seek_music) < 0.5'
  expect "pause button: the clock held at ${seen[paused_clock]:-?} s over 30 frames; play: on to \
${seen[resumed_clock]:-?} s" \
    'paused == 1 && paused_clock > 0 && paused_later == paused_clock && resumed_clock > paused_clock + 0.4'
  expect "link to this moment: ${seen[link]:-?}" 'index(link, "?from=" sprintf("%.3f", paused_clock)) > 0'
  expect "sound taken away: the clock went on ${seen[silent_advance]:-?} s in 2 s; the sound back, the music \
${seen[music_lag]:-?} s behind the page's clock" \
    'silent_advance > 1.5 && sound_back == 1 && abs(music_lag) < 0.3'
  expect "the seek, pause and play faded the sound (largest step ${seen[largest_step]:-?}; a clean sine's 0.031)" \
    'largest_step > 0 && largest_step < 0.05'
  expect "the bar showed when the mouse moved (over ${seen[shown_covered]:-?} of 121 points of the picture) and \
hid ${seen[hid_after]:-?} s after it rested" \
    'shown_covered > 0 && hidden_covered == 0 && hidden_covered != "" && hid_after < 6'
  expect "Escape: the show closed at demo clock ${seen[ended_clock]:-?} s" 'ended == 1'
}

# ?rehearse, silent, from 60 s: the keys, pressed as a person presses them.
rehearse() {
  drive rehearse "$base?rehearse&silent&autostart&from=60"
  expect "Page Up: from ${seen[page_up_from]:-?} s to ${seen[page_up_to]:-?} s" \
    'abs(page_up_to - page_up_from - 10) < 1 / 120 + 1e-6'
  expect "Space: the clock held at ${seen[paused_clock]:-?} s, a frame of the 60 Hz grid, over 30 frames" \
    'paused == 1 && paused_later == paused_clock && abs(paused_clock * 60 - int(paused_clock * 60 + 0.5)) < 1e-6'
  expect "Up and Down while paused: ${seen[step_up]:-?} s and ${seen[step_down]:-?} s" \
    'abs(step_up - 1 / 60) < 1e-6 && abs(step_down + 1 / 60) < 1e-6'
  expect "T: the overlay changed ${seen[overlay_changed]:-?} bytes of the picture's corner" 'overlay_changed > 100'
  expect "S: downloaded ${seen[screenshot]:-nothing} (the picture: ${seen[picture]:-?})" \
    'screenshot == sprintf("velmora-%.3f.png %s", paused_clock, picture)'
}

# The page around the show: no control over a ?time= picture; started near its end, the show ends by itself at
# 236.8 s and the title card comes back; without WebGL 2 the page says so instead of staying blank.
page() {
  drive instant "$base?time=64&size=320x180"
  expect "?time=64: no control over the picture (${seen[covered]:-?} of 121 points covered)" \
    'covered == 0 && covered != ""'

  chrome --autoplay-policy=no-user-gesture-required "$base?autostart&from=234&report=/upload/end.txt"
  wait_until 60 grep -q " ended " "$scratch/end.txt" 2>/dev/null
  stop_chromium $browser
  local clock state
  read -r clock _ _ state _ < <(grep -m1 " ended " "$scratch/end.txt" 2>/dev/null)
  [ "${state:-}" = ended ] && pass "started at 234 s: the show ended by itself at demo clock $clock s" ||
    fail "started at 234 s: no end ($(tail -n1 "$scratch/end.txt" 2>/dev/null))"

  chrome --disable-webgl2 --dump-dom "$base" >"$scratch/no-webgl2.html"
  wait_until 60 ended $browser
  stop_chromium $browser
  state=$(grep -o 'data-state="[^"]*"' "$scratch/no-webgl2.html")
  [ "$state" = 'data-state="no-webgl2"' ] && pass "without WebGL 2: the page's message" || fail "without WebGL 2: '$state'"
}

# The same libmpg123 and KissFFT sources, built with the same flags: the samples and the spectra match the
# desktop's bit for bit.
music() {
  local music="$build/music/Tessaly - Slow Orbit.mp3"
  if node "$site/../decode_music.js" "$music" "$scratch/web.raw" &&
    "$build/tests/decode_music" "$music" "$scratch/desktop.raw"; then
    cmp -s "$scratch/desktop.raw" "$scratch/web.raw" && pass "music: the same samples and spectra as the desktop's" ||
      fail "music: the samples or spectra differ from the desktop's ($(cmp "$scratch/desktop.raw" "$scratch/web.raw" 2>&1))"
  else
    fail "music: decode_music failed"
  fi
}

"$1"
[ $failures -eq 0 ]
