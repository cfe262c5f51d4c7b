#!/usr/bin/env bash
# run_fuzz.sh FUZZ_BUILD TARGET SECONDS PACK_BUILD: fuzzes TARGET (built by build_fuzz.sh in FUZZ_BUILD) for
# SECONDS from seeds of its kind and fails on any finding; the reproducer is left in FUZZ_BUILD/TARGET/.
# PACK_BUILD is a build directory holding the asset pack, whose shape files seed the shape target.
set -euo pipefail
if [ $# -ne 4 ]; then
  echo "usage: $0 FUZZ_BUILD TARGET SECONDS PACK_BUILD" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$1 target=$2 seconds=$3 pack=$4
work="$build/$target"
seeds="$work/seeds"
rm -rf "$seeds"
mkdir -p "$seeds" "$work/corpus"
options=(-max_len=4096)

jpeg_seeds() {
  ASAN_OPTIONS=detect_leaks=0 "$build/tests/jpeg/jpeg_make_seeds" "$seeds" >/dev/null
}
case $target in
  jpeg_fuzz)
    # The first byte of an input picks the decoder's read size: 4096.
    jpeg_seeds
    for f in "$seeds"/*.jpg; do { printf '\377'; cat "$f"; } >"$f.in" && rm "$f"; done ;;
  picture_file_fuzz)
    jpeg_seeds ;;
  shape_file_fuzz)
    cp "$pack"/textures/f*.txt "$seeds"/
    options=(-max_len=8192) ;;
  logo_trace_fuzz)
    # A 16 x 16 picture with a bright stroke that forks, seeded at both ends.
    python3 -c "
import sys
red = bytearray(256)
for x in range(2, 14): red[8 * 16 + x] = 230
for y in range(3, 8): red[y * 16 + 8] = 230
red[8 * 16 + 2] = red[3 * 16 + 8] = 255
sys.stdout.buffer.write(bytes([15, 15]) + bytes(red))" >"$seeds/fork"
    options=(-max_len=4098) ;;
  command_line_fuzz)
    n=0
    while IFS= read -r line; do
      n=$((n + 1))
      printf '%s' "$line" | tr ' ' '\0' >"$seeds/line$n"
    done <"$here/command_lines.txt"
    options=(-max_len=512 -dict="$here/command_line.dict") ;;
  *)
    echo "$0: no seeds for $target" >&2
    exit 2 ;;
esac

cd "$work"
"$build/tests/fuzz/$target" "${options[@]}" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$seeds"
