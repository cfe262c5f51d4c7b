#!/usr/bin/env bash
# The encoders' own speed: captures SECONDS of the show losslessly (FFV1) at 1920 x 1080, 30 fps, then times
# each codec's encoder, as velmora-capture drives it, on those frames (decoding timed apart and taken off),
# to see which one limits a capture once a GPU draws hundreds of frames a second.
# Usage, from the build directory: ../bench/encoder_speed.sh [SECONDS (default 4)] [FROM (default 60)]
set -euo pipefail
seconds=${1:-4}
from=${2:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tools/velmora-capture --size 1920x1080 --fps 30 --from "$from" --to "$(echo "$from + $seconds" | bc -l)" \
  --codec ffv1 "$work/frames.mkv" 2>/dev/null
frames=$(ffprobe -v error -count_packets -select_streams v -show_entries stream=nb_read_packets -of csv=p=0 \
  "$work/frames.mkv")
yuv="-vf scale=out_color_matrix=bt709:out_range=tv"
timed() {
  local start
  start=$(date +%s.%N)
  SVT_LOG=1 ffmpeg -v error -nostdin -i "$work/frames.mkv" -map 0:v "$@" -f null - 
  echo "$(date +%s.%N) - $start" | bc -l
}
decoding=$(timed -c:v rawvideo -pix_fmt rgb24)
printf '%d frames of 1920x1080; decoding them alone takes %.2f s\n' "$frames" "$decoding"
while IFS='|' read -r name arguments; do
  # shellcheck disable=SC2086  # the arguments are words
  total=$(timed $arguments)
  awk -v n="$name" -v f="$frames" -v t="$total" -v d="$decoding" \
    'BEGIN { printf "%-28s %6.1f frames/s\n", n, f / (t - d) }'
done <<LIST
x264 veryfast, CRF 16|-c:v libx264 -preset veryfast -crf 16 $yuv -pix_fmt yuv420p
x265 fast, CRF 18|-c:v libx265 -preset fast -x265-params log-level=error -crf 18 $yuv -pix_fmt yuv420p
SVT-AV1 preset 8, CRF 26|-c:v libsvtav1 -preset 8 -crf 26 $yuv -pix_fmt yuv420p
ProRes 4444 (prores_ks)|-c:v prores_ks -profile:v 4 -vendor apl0 $yuv -pix_fmt yuv444p10le
FFV1 (planar RGB)|-c:v ffv1 -level 3 -g 1 -slicecrc 1 -pix_fmt gbrp
LIST
