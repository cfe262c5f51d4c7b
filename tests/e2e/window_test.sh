#!/usr/bin/env bash
# The live program end to end under Xvfb: its window appears, keys and clicks reach it, it ends cleanly.
# Usage: window_test.sh VELMORA CLOSE_WINDOW
set -u
velmora=$(realpath "$1")
close_window=$(realpath "$2")
. "$(dirname "$0")/xvfb_session.sh"
cd "$e2e_scratch"

# Middle click, then Escape.
if start_through_dialog Return; then
  window=$(find_window "$show_title")
  if [ -z "$window" ]; then
    fail "the show window did not appear"
  else
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "1280x720" ] && pass "window is 1280x720" || fail "window geometry is $geometry"
    xdotool mousemove --window "$window" 300 200 click 2
    press_escape "$window"
  fi
  expect_exit "middle click and Escape" 0
fi

# Closing the window.
if start_through_dialog Return; then
  window=$(find_window "$show_title")
  [ -n "$window" ] && sleep 0.3 && "$close_window" "$window"
  expect_exit "closing the window" 0
fi

# No display at all: the window message on standard error.
env -u DISPLAY "$velmora" 2>stderr.log &
pid=$!
expect_exit "without a display" 0
grep -q "Failed To Register The Window Class." stderr.log && pass "without a display: message on stderr" ||
  fail "without a display: no message on stderr"

[ $e2e_failures -eq 0 ]
