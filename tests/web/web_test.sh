#!/usr/bin/env bash
# The web page in headless Chromium (WebGL 2 on SwiftShader): ?time=T at ten instants of both halves draws what
# velmora-frame draws; "Start" plays the music and the clock follows it, Escape closes the show, and it ends
# by itself; a browser without WebGL 2 gets the page's message; the music decodes in WebAssembly to the
# desktop's samples and spectra.
#   web_test.sh SITE_DIR BUILD_DIR   (SITE_DIR: build-web/site, with decode_music.js beside it; BUILD_DIR: the
#   desktop build, with tools/velmora-frame, tests/decode_music and the show's files)
set -uo pipefail
site=$(cd "$1" && pwd) build=$(cd "$2" && pwd)
scratch=$(mktemp -d)
failures=0
pass() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

source "$(dirname "$0")/site_server.sh"
start_site_server "$site" "$scratch"
base=$site_url

chrome() {
  chromium --headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader \
    --user-data-dir="$scratch/profile-$RANDOM" --window-size=640,360 "$@" 2>>"$scratch/chromium.log"
}

# psnr A.png B.png: the average PSNR of two pictures, in dB.
psnr() {
  ffmpeg -v error -i "$1" -i "$2" -lavfi psnr=stats_file=- -f null - | awk -F'psnr_avg:' '{split($2, p, " "); print p[1]}'
}

# The page draws each instant at 320 x 180 and posts its pixels back. The two rasterisers differ in their
# multisample positions and texture sampling, which moves the fine dot patterns of the textures by a texel
# here and there: measured 29.3 to 49.6 dB against velmora-frame (native batched against compat: 34 to 96 dB),
# with no shape, colour or layout different, so the bound is 27 dB.
for instant in 10 34 64 97 118 134 150 176 205 228; do
  chrome "$base?time=$instant&size=320x180&upload=/upload/$instant.rgb" &
  browser=$!
  for _ in $(seq 120); do [ -s "$scratch/$instant.rgb" ] && break; sleep 0.5; done
  kill $browser 2>/dev/null; wait $browser 2>/dev/null
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

# Played as a person plays it (a real click on "Start", Escape after 8 s, over the DevTools protocol): the
# music starts with the click, the demo clock follows what is heard, Escape brings the title card back.
declare -A seen
while read -r name value; do seen[$name]=$value; done < <(python3 "$(dirname "$0")/drive_page.py" "$base" 8 \
  "$scratch/profile-driven" 2>>"$scratch/drive.log")
if [ "${seen[ready]:-0}" = 1 ] && awk -v clock="${seen[clock]:-0}" -v music="${seen[music]:-0}" \
  'BEGIN { d = clock - music; exit !(music > 6 && d < 0.5 && d > -0.5) }'; then
  pass "Start: 8 s after the click the demo clock is at ${seen[clock]} s, the music at ${seen[music]} s"
else
  fail "Start: ready '${seen[ready]:-}', clock '${seen[clock]:-}', music '${seen[music]:-}' ($(cat "$scratch/drive.log"))"
fi
[ "${seen[ended]:-0}" = 1 ] && pass "Escape: the show closed at demo clock ${seen[ended_clock]} s" ||
  fail "Escape: the show did not close"

# Started near its end, the show ends by itself at 236.8 s and the title card comes back.
chrome --autoplay-policy=no-user-gesture-required "$base?autostart&from=234&report=/upload/end.txt" &
browser=$!
for _ in $(seq 60); do grep -q " ended " "$scratch/end.txt" 2>/dev/null && break; sleep 1; done
kill $browser 2>/dev/null; wait $browser 2>/dev/null
read -r clock _ _ state _ < <(grep -m1 " ended " "$scratch/end.txt" 2>/dev/null)
[ "${state:-}" = ended ] && pass "started at 234 s: the show ended by itself at demo clock $clock s" ||
  fail "started at 234 s: no end ($(tail -n1 "$scratch/end.txt" 2>/dev/null))"

# The same libmpg123 and KissFFT sources, built with the same flags: the samples and the spectra match the
# desktop's bit for bit.
music="$build/music/Tessaly - Slow Orbit.mp3"
if node "$site/../decode_music.js" "$music" "$scratch/web.raw" && "$build/tests/decode_music" "$music" "$scratch/desktop.raw"; then
  cmp -s "$scratch/desktop.raw" "$scratch/web.raw" && pass "music: the same samples and spectra as the desktop's" ||
    fail "music: the samples or spectra differ from the desktop's ($(cmp "$scratch/desktop.raw" "$scratch/web.raw" 2>&1))"
else
  fail "music: decode_music failed"
fi

# Without WebGL 2 the page says so instead of staying blank.
state=$(chrome --disable-webgl2 --dump-dom "$base" | grep -o 'data-state="[^"]*"')
[ "$state" = 'data-state="no-webgl2"' ] && pass "without WebGL 2: the page's message" || fail "without WebGL 2: '$state'"

[ $failures -eq 0 ]
