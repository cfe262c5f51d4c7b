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

# A display server that comes up only after the show started, as at the start of a session: the show waits
# for it and its setup dialog appears there.
late_display=$(free_display_number)
DISPLAY=":$late_display" "$velmora" 2>stderr.log &
pid=$!
sleep 0.5
Xvfb ":$late_display" -screen 0 1280x720x24 -nolisten tcp 2>/dev/null &
late_server=$!
if [ -n "$(DISPLAY=":$late_display" find_window "$dialog_title" $pid)" ]; then
  pass "a display that comes up late: setup dialog"
else
  fail "a display that comes up late: no setup dialog"; cat stderr.log
fi
kill $pid $late_server 2>/dev/null
wait $pid $late_server 2>/dev/null

# No display at all: the window message on standard error.
env -u DISPLAY "$velmora" 2>stderr.log &
pid=$!
expect_exit "without a display" 0
grep -q "Failed To Register The Window Class." stderr.log && pass "without a display: message on stderr" ||
  fail "without a display: no message on stderr"

[ $e2e_failures -eq 0 ]
