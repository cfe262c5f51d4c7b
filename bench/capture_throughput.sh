#!/usr/bin/env bash
# Capture throughput: frames per second of a capture to MP4, in one process or in chunks run side by side
# through scripts/capture-parallel.sh.
# Usage, from the build directory: ../bench/capture_throughput.sh [SIZE] [CHUNKS] [FROM] [TO]
#   (defaults: 1280x720, 1 chunk, the whole show at 30 fps; the video is written to /tmp and removed)
set -euo pipefail
size=${1:-1280x720}
chunks=${2:-1}
from=${3:-0}
to=${4:-236.8}
repository=$(cd "$(dirname "$0")/.." && pwd)
video=$(mktemp --suffix=.mp4)
trap 'rm -f "$video"' EXIT

start=$(date +%s.%N)
if [ "$chunks" -eq 1 ]; then
  tools/velmora-capture --size "$size" --fps 30 --from "$from" --to "$to" "$video" 2>/dev/null
else
  "$repository/scripts/capture-parallel.sh" --chunks "$chunks" --size "$size" --fps 30 --from "$from" \
    --to "$to" "$video" >/dev/null 2>&1
fi
end=$(date +%s.%N)
frames=$(ffprobe -v error -count_packets -select_streams v -show_entries stream=nb_read_packets -of csv=p=0 \
  "$video")
awk -v f="$frames" -v s="$start" -v e="$end" -v size="$size" -v c="$chunks" \
  'BEGIN { printf "%s, %d chunk(s): %d frames in %.1f s = %.2f frames/s (%.2f x real time at 30 fps)\n",
           size, c, f, e - s, f / (e - s), f / (e - s) / 30 }'
