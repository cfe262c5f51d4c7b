#!/usr/bin/env bash
# Builds what playing the show needs (the program, its pictures and its music; no tests or benchmarks) and
# plays it. Where there is no display to play it on, says so and captures it to BUILD_DIR/velmora.mp4
# (1280 x 720, 30 frames a second) instead. Options after BUILD_DIR go to velmora (see velmora --help).
# Usage: scripts/play.sh [BUILD_DIR [VELMORA_OPTION...]]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift $(($# > 0 ? 1 : 0))
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target play
cd "$build"

has_display() {
  [ -n "${WAYLAND_DISPLAY:-}" ] && return 0
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

if ! has_display; then
  echo "velmora: no display to play the show on (DISPLAY and WAYLAND_DISPLAY name none that answers)." >&2
  echo "velmora: capturing it to $PWD/velmora.mp4 at 1280x720, 30 fps instead; Ctrl-C stops and keeps" \
    "what is done in .velmora.partial.mp4." >&2
  cmake --build . --target velmora-capture >/dev/null
  exec tools/velmora-capture --size 1280x720 --fps 30 velmora.mp4
fi
exec ./velmora "$@"
