#!/usr/bin/env bash
# The show on a Wayland compositor: weston with its X11 back-end, nested in Xvfb, which gives the compositor
# a seat (SDL's Wayland start-up does not survive a compositor without input devices). The show runs its
# last seconds there through SDL's Wayland driver, to its own end.
# Usage: wayland_test.sh VELMORA
set -u
velmora=$(realpath "$1")
. "$(dirname "$0")/xvfb_session.sh"
cd "$e2e_scratch"

export XDG_RUNTIME_DIR="$e2e_scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=x11-backend.so --socket=velmora-test --width=1280 --height=720 --idle-time=0 \
  >weston.log 2>&1 &
weston_pid=$!
trap 'kill $weston_pid 2>/dev/null; wait $weston_pid 2>/dev/null; kill $e2e_xserver 2>/dev/null; rm -rf "$e2e_scratch"' EXIT
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/velmora-test" ] && break
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/velmora-test" ] || { echo "FAIL: weston did not start:"; cat weston.log; exit 1; }

# WAYLAND_DEBUG logs the protocol: the window's title and every frame's surface commit.
WAYLAND_DEBUG=client WAYLAND_DISPLAY=velmora-test SDL_VIDEODRIVER=wayland "$velmora" --no-dialog --from 234 \
  2>stderr.log &
pid=$!
expect_exit "under weston, from 234 s to the show's end" 0
commits=$(grep -c "wl_surface@[0-9]*\.commit()" stderr.log)
grep -q "xdg_toplevel@[0-9]*\.set_title(\"$show_title\")" stderr.log && [ "$commits" -ge 5 ] &&
  pass "a Wayland window titled \"$show_title\" showed $commits commits" ||
  fail "no Wayland window showed the show ($commits commits): $(grep -v '^\[' stderr.log | head -5)"

[ $e2e_failures -eq 0 ]
