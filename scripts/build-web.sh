#!/usr/bin/env bash
# Builds the show's web page into OUT_DIR/site (default build-web/site): the core compiled with Emscripten for
# WebAssembly and WebGL 2, with the show's textures and music as data. The C libraries the core needs (GLU's
# tessellator, libmpg123, KissFFT) are built for WebAssembly from Debian's source packages of the versions the
# desktop build uses, fetched once with apt-get source into OUT_DIR/deps, with the desktop build's flags.
#   scripts/build-web.sh [OUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/build-web}" && cd "${1:-$root/build-web}" && pwd)
deps=$out/deps prefix=$out/deps/prefix
# Debian's node does not search its own module folder; Emscripten's optimiser needs acorn from there.
export NODE_PATH=/usr/share/nodejs
for tool in emcc emcmake apt-get; do
  command -v "$tool" >/dev/null || { echo "build-web: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

# The show's files come from the desktop build, which draws the textures and composes the music.
if [ ! -f "$root/build/textures/.made" ] || [ ! -f "$root/build/music/Tessaly - Slow Orbit.mp3" ]; then
  cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
  cmake --build "$root/build" --target asset_pack show_music
fi

build_libraries() {
  local src=$deps/src
  mkdir -p "$prefix/include/GL" "$prefix/include/kissfft" "$prefix/lib"
  # KissFFT, single precision as Debian's kissfft-float.
  local kiss=("$src"/kissfft-*/)
  emcc -O2 -Dkiss_fft_scalar=float -c "$kiss/kiss_fft.c" -o "$deps/kiss_fft.o"
  emcc -O2 -Dkiss_fft_scalar=float -c "$kiss/kiss_fftr.c" -o "$deps/kiss_fftr.o"
  emar rcs "$prefix/lib/libkissfft-float.a" "$deps/kiss_fft.o" "$deps/kiss_fftr.o"
  cp "$kiss"/kiss_fft.h "$kiss"/kiss_fftr.h "$kiss"/kiss_fft_log.h "$prefix/include/kissfft/"
  # GLU: the tessellator, the only part the core uses.
  local glu=("$src"/glu-*/)
  cp "$glu/include/GL/glu.h" "$prefix/include/GL/"
  local objects=() file
  for file in dict geom memalloc mesh normal priorityq render sweep tess tessmono; do
    emcc -O2 -I"$glu/include" -I"$glu/src/include" -c "$glu/src/libtess/$file.c" -o "$deps/tess_$file.o"
    objects+=("$deps/tess_$file.o")
  done
  emar rcs "$prefix/lib/libGLU.a" "${objects[@]}"
  # libmpg123 with its portable floating-point decoder; make's CFLAGS replace configure's -ffast-math, as the
  # desktop build does, so both decode to the same samples.
  local mpg=("$src"/mpg123-*/)
  (cd "$mpg" && emconfigure ./configure --host=wasm32 --prefix="$prefix" --with-cpu=generic_fpu --disable-shared \
    --enable-static --disable-modules --disable-network --disable-largefile --with-audio=dummy \
    --with-default-audio=dummy >"$deps/mpg123-configure.log" 2>&1 &&
    emmake make -j"$(nproc)" src/libmpg123/libmpg123.la CFLAGS=-O2 >"$deps/mpg123-make.log" 2>&1) ||
    { echo "build-web: libmpg123 did not build; see $deps/mpg123-*.log" >&2; exit 1; }
  cp "$mpg/src/libmpg123/.libs/libmpg123.a" "$prefix/lib/"
  cp "$mpg/src/libmpg123/mpg123.h" "$mpg/src/libmpg123/fmt123.h" "$prefix/include/"
  touch "$prefix/.made"
}

if [ ! -f "$prefix/.made" ]; then
  "$root/scripts/fetch-debian-sources.sh" "$deps" mpg123 kissfft libglu
  build_libraries
fi

emcmake cmake -S "$root" -B "$out/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_WEB_DEPS="$prefix" \
  -DVELMORA_WEB_DATA="$root/build" >/dev/null
cmake --build "$out/cmake"
rm -rf "$out/site" && cp -r "$out/cmake/site" "$out/site"
cp "$out/cmake/web/decode_music.js" "$out/"  # for the web test
echo "build-web: the page is in $out/site"
