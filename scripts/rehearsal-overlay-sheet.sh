#!/usr/bin/env bash
# Draws docs/rehearsal_overlay.png: four 640 x 360 windows of rehearsal mode with the overlay shown, under
# Xvfb with the real keys (playing at 50 s; paused on the last frame of the first half, 134.167 s; one frame
# later, in the second half; playing at 202 s), tiled two by two.
#   scripts/rehearsal-overlay-sheet.sh BUILD_DIR [OUT.png]
set -euo pipefail
build=$(realpath "$1")
out=$(realpath "${2:-$(dirname "$0")/../docs/rehearsal_overlay.png}")
velmora=$build/velmora
. "$(dirname "$0")/../tests/e2e/xvfb_session.sh"
cd "$e2e_scratch"
cp "$build/music/Tessaly - Slow Orbit.mp3" music/

"$velmora" --rehearse --no-dialog --windowed --size 640x360 --from 50 2>stderr.log &
pid=$!
window=$(find_window "$show_title" $pid)
[ -n "$window" ] || { cat stderr.log; exit 1; }
xdotool windowfocus --sync "$window"
keys() { xdotool key --delay 30 "$@"; sleep 1; }
sleep 3  # start-up
keys t
xwd -id "$window" -out 1.xwd
keys space Home $(printf 'Prior %.0s' $(seq 13)) Right Right Right Right $(printf 'Up %.0s' $(seq 9))
xwd -id "$window" -out 2.xwd
keys Up
xwd -id "$window" -out 3.xwd
keys End Next Next Next space
xwd -id "$window" -out 4.xwd
kill $pid
ffmpeg -v error -y -i 1.xwd -i 2.xwd -i 3.xwd -i 4.xwd \
  -filter_complex 'xstack=inputs=4:layout=0_0|w0+4_0|0_h0+4|w0+4_h0+4:fill=white' -frames:v 1 "$out"
echo "wrote $out"
