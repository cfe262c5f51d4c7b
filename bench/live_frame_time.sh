#!/usr/bin/env bash
# The live program's frame time at 1280 x 720 under Xvfb (Mesa's llvmpipe unless a GPU is there), without
# music, over 15 s of the show from the starting points bench/web_page.sh uses, for comparison with the web
# page in headless Chromium on the same machine.
#   bench/live_frame_time.sh BUILD_DIR [VELMORA_OPTION...]
set -euo pipefail
build=$(realpath "$1")
shift
velmora=$build/velmora
E2E_SCREEN=1280x720x24 . "$(dirname "$0")/../tests/e2e/xvfb_session.sh"
cd "$e2e_scratch"
for from in 0 60 150; do
  printf '1280 x 720 from %s s: ' "$from"
  "$build/bench/live_frames" 20 --no-dialog --windowed --size 1280x720 --no-music --from "$from" "$@"
done
