#!/usr/bin/env bash
# Builds Velmora twice (a normal build and one with AddressSanitizer and UndefinedBehaviorSanitizer) and the web
# page, and runs every test in both builds (the web page's in the normal one). Needs no display and no sound card: end-to-end tests start their own Xvfb, sound uses
# SDL's dummy driver, GL tests use EGL on Mesa's surfaceless platform.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
werror=${CI:+-DVELMORA_WERROR=ON}

build_configuration() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja ${werror} "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}
run_tests() {
  (cd "$1" && ctest --output-on-failure -j "$jobs")
}

export SDL_AUDIODRIVER=dummy
# Mesa, LLVM and the X libraries keep some allocations for the life of the process; only our own leaks count.
# Thread-local storage is not scanned (use_tls=0): reading the main thread's, with the drivers' libraries
# loaded, crashes LeakSanitizer's tracer at exit now and then ("Tracer caught signal 11", a fault of the
# sanitizer runtime). An object held only there would show as a leak, not hide one; the loader's own such
# objects are in the suppressions.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0:use_tls=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== normal build"
build_configuration build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The page takes the show's files from the normal build, whose tests then check it in headless Chromium.
echo "== web page (Emscripten)"
scripts/build-web.sh build-web
run_tests build
echo "== sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer)"
build_configuration build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF \
  -DVELMORA_SHOW_MUSIC=OFF
run_tests build-sanitize
