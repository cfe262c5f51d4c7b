#!/usr/bin/env bash
# run_fuzz.sh BUILD_DIR SECONDS: builds the decoder and its fuzz target with clang (libFuzzer, ASan,
# UBSan) in BUILD_DIR, writes a seed corpus of small valid files, fuzzes for SECONDS and fails on any
# finding (the reproducer is left in BUILD_DIR).
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR SECONDS" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(mkdir -p "$1" && cd "$1" && pwd)
seconds=$2

project="$build/project"
mkdir -p "$project"
cat > "$project/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(velmora_jpeg_fuzz C CXX)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
add_compile_options(-g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined)
add_link_options(-fsanitize=address,undefined)
find_package(GTest REQUIRED)
include(GoogleTest)
add_subdirectory("$root/assets/jpeg" jpeg)
add_subdirectory("$root/tests/jpeg" jpegtests)
CMAKE
if [ ! -f "$build/out/CMakeCache.txt" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S "$project" -B "$build/out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
ninja -C "$build/out" -j1 jpeg_fuzz jpeg_make_seeds >/dev/null

seeds="$build/seeds"
corpus="$build/corpus"
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus"
ASAN_OPTIONS=detect_leaks=0 "$build/out/jpegtests/jpeg_make_seeds" "$seeds"
# The first byte of an input picks the stream's chunk size: 4096.
for f in "$seeds"/*.jpg; do
  { printf '\377'; cat "$f"; } > "$f.in" && rm "$f"
done

cd "$build"
"$build/out/jpegtests/jpeg_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=25 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$build/" "$corpus" "$seeds"
