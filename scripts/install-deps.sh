#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Velmora needs.
# Safe to run again: packages already present are skipped, and apt is not touched when nothing is missing.
set -euo pipefail

packages=(
  # toolchain and test frameworks
  build-essential cmake ninja-build pkg-config clang clang-format
  # installing and packaging: man pages, the .deb's dependencies, checks of the package and desktop files
  help2man dpkg-dev lintian desktop-file-utils appstream
  libgtest-dev libgmock-dev libbenchmark-dev
  # window, input, dialog, sound
  libsdl2-dev libfltk1.3-dev libmpg123-dev libkissfft-dev
  # composing the show's music: General MIDI instruments, MP3 encoding
  libfluidsynth-dev musescore-general-soundfont-small libmp3lame-dev
  # OpenGL: entry points, GLU, EGL on Mesa (llvmpipe where no GPU is present)
  libepoxy-dev libglu1-mesa-dev libgl-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
  # JPEG encoding for the asset pack and as a test oracle
  libjpeg62-turbo-dev libturbojpeg0-dev
  # the JPEG benchmark's third contestant
  libstb-dev
  # drawing in the tools (curve sheets, the asset pack); PNG files of the headless tools and tests
  libcairo2-dev libpng-dev
  # headless end-to-end tests
  xvfb xauth xdotool xclip x11-utils x11-apps netpbm libx11-dev bc xfonts-base
  # display modes on a real X server (Xorg with the dummy driver, xrandr); Wayland (weston)
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils weston
  # test music (sox writes MP3 through LAME), listening checks
  sox libsox-fmt-mp3
  # video capture: encoding and muxing (ffmpeg), splitting a capture across cores or machines (parallel)
  ffmpeg parallel
  # the setup dialog's font (metric-compatible with Arial)
  fonts-liberation2
  # the web page: Emscripten (its optimiser needs acorn), Debian's sources of the C libraries (dpkg-source),
  # headless Chromium and a local server for its tests
  emscripten node-acorn dpkg-dev chromium python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
