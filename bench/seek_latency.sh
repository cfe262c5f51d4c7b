#!/usr/bin/env bash
# Rehearsal mode's key-to-frame time for a jump back from 200 s to 20 s at 1280 x 720 under Xvfb (Mesa's
# llvmpipe unless a GPU is there), with music, next to the ordinary frame time there.
#   bench/seek_latency.sh BUILD_DIR [ROUNDS] [VELMORA_OPTION...]
set -euo pipefail
build=$(realpath "$1")
rounds=${2:-9}
shift $(($# < 2 ? $# : 2))
velmora=$build/velmora
E2E_SCREEN=1280x720x24 . "$(dirname "$0")/../tests/e2e/xvfb_session.sh"
cd "$e2e_scratch"
cp "$build/music/Tessaly - Slow Orbit.mp3" music/
"$build/bench/seek_latency" "$rounds" --rehearse --no-dialog --windowed --size 1280x720 --from 200 "$@"
