#!/usr/bin/env bash
# The README's play command on a machine without a display: it says so and captures the show to
# BUILD_DIR/velmora.mp4 instead of failing. Interrupted once the first frame is in, which leaves the part
# captured playable under its partial name and nothing under the video's.
# Usage: play_without_display_test.sh REPOSITORY BUILD_DIR
set -u
repository=$(realpath "$1")
build=$(realpath "$2")
log=$(mktemp)
trap 'rm -f "$log" "$build/velmora.mp4" "$build/.velmora.partial.mp4"' EXIT

env -u DISPLAY -u WAYLAND_DISPLAY "$repository/scripts/play.sh" "$build" >"$log" 2>&1 &
pid=$!
for _ in $(seq 1200); do grep -q "frame 1 of 7104" "$log" && break; sleep 0.1; done
kill -INT "$pid"
wait "$pid"
code=$?
frames=$(ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames,width,height \
  -of csv=p=0 "$build/.velmora.partial.mp4" 2>/dev/null)
if grep -q "no display to play the show on" "$log" && grep -q "capturing it to .*velmora.mp4 at 1280x720, 30 fps" "$log" &&
  [ "$code" -eq 130 ] && [[ "$frames" == 1280,720,* ]] && [ ! -e "$build/velmora.mp4" ]; then
  echo "ok: without a display the play command captures to velmora.mp4 (interrupted: 1280x720; $frames)"
else
  echo "FAIL: exit code $code, video '$frames', output:"; cat "$log"; exit 1
fi
