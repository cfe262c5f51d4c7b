#!/usr/bin/env bash
# The live program end to end under Xvfb: its window appears, keys and clicks reach it, it ends cleanly.
# Usage: window_test.sh VELMORA CLOSE_WINDOW
set -u
velmora=$(realpath "$1")
close_window=$(realpath "$2")
here=$(realpath "$(dirname "$0")")
. "$here/xvfb_session.sh"
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
  [ -n "$window" ] && "$close_window" "$window"
  expect_exit "closing the window" 0
fi

# A display server that does not answer yet when the show starts, as at the start of a session: the show
# tries again and its setup dialog appears there. The display's socket first hangs up on the show's first try
# (refuse_first_client.py), then leads to this test's server.
late_socket=/tmp/.X11-unix/X$(free_display_number)
python3 "$here/refuse_first_client.py" "$late_socket" "/tmp/.X11-unix/X${DISPLAY#:}" 30 &
gate=$!
if wait_until 10 [ -S "$late_socket" ]; then
  DISPLAY=":${late_socket#/tmp/.X11-unix/X}" "$velmora" 2>stderr.log &
  pid=$!
  dialog=""
  wait_exit $gate 40 && dialog=$(find_window "$dialog_title" $pid)
  if [ -n "$dialog" ]; then
    pass "a display that answers late: setup dialog after a refused try"
    take_focus "$dialog"
    xdotool key Escape
  else
    fail "a display that answers late: no setup dialog"; cat stderr.log
  fi
  expect_exit "a display that answers late, the dialog closed" 0
else
  fail "a display that answers late: its socket did not appear"
  kill $gate 2>/dev/null
  wait $gate 2>/dev/null
fi
rm -f "$late_socket"

# No display at all: the window message on standard error.
env -u DISPLAY "$velmora" 2>stderr.log &
pid=$!
expect_exit "without a display" 0
grep -q "Failed To Register The Window Class." stderr.log && pass "without a display: message on stderr" ||
  fail "without a display: no message on stderr"

[ $e2e_failures -eq 0 ]
