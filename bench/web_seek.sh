#!/usr/bin/env bash
# The seek bar's latency in headless Chromium (WebGL 2 on SwiftShader unless a GPU is there): from a click on
# the track to the frame that lands there drawn, jumping back from 200 s to 20 s at 1280 x 720, playing and
# paused, with the frame times near both clocks (bench/web_seek.py; medians of RUNS, default 5).
#   bench/web_seek.sh [SITE_DIR] [RUNS]   (default build-web/site, made by scripts/build-web.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
site=$(cd "${1:-$root/build-web/site}" && pwd)
scratch=$(mktemp -d)
source "$root/tests/web/site_server.sh"
start_site_server "$site" "$scratch"
python3 "$root/bench/web_seek.py" "$site_url" "$scratch/profile-seek" "${2:-5}"
