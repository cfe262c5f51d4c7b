#!/usr/bin/env bash
# build_fuzz.sh SOURCE_DIR BUILD_DIR: configures the project with clang for fuzzing (libFuzzer, ASan, UBSan)
# in BUILD_DIR, with the system's decoding libraries, and builds the fuzz targets and the JPEG seed maker.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 SOURCE_DIR BUILD_DIR" >&2
  exit 2
fi
source_dir=$1 build_dir=$2
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMORA_FUZZ=ON -DVELMORA_SYSTEM_DECODING=ON -DVELMORA_BENCH=OFF -DVELMORA_SHOW_MUSIC=OFF >/dev/null
fi
ninja -C "$build_dir" jpeg_fuzz picture_file_fuzz shape_file_fuzz logo_trace_fuzz command_line_fuzz \
  jpeg_make_seeds | grep -v '^\[' || true
