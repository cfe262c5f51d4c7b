#!/usr/bin/env bash
# The live program end to end under Xvfb: its window appears, keys and clicks reach it, it ends cleanly.
# Usage: window_test.sh VELMORA CLOSE_WINDOW
set -u
velmora=$1
close_window=$2
. "$(dirname "$0")/xvfb_session.sh"
title=' = Velmora Oskel 2008 = '
cd "$e2e_scratch"

# Middle click, then Escape: exit code 0.
"$velmora" 2>stderr.log &
pid=$!
window=$(find_window "$title")
if [ -z "$window" ]; then
  fail "the show window did not appear"; cat stderr.log
else
  geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
  [ "$geometry" = "1280x720" ] && pass "window is 1280x720" || fail "window geometry is $geometry"
  xdotool windowfocus --sync "$window"
  xdotool mousemove --window "$window" 300 200 click 2
  sleep 0.3
  # Held across several frames: a tap that falls between two frames is not seen, by design.
  xdotool keydown Escape; sleep 0.5; xdotool keyup Escape
fi
wait_exit $pid 20
code=$?
[ $code -eq 0 ] && pass "Escape ends with exit code 0" || { fail "Escape: exit code $code"; cat stderr.log; }

# Closing the window: exit code 0.
"$velmora" 2>stderr.log &
pid=$!
window=$(find_window "$title")
if [ -z "$window" ]; then
  fail "the show window did not appear the second time"
else
  sleep 0.3
  "$close_window" "$window"
fi
wait_exit $pid 20
code=$?
[ $code -eq 0 ] && pass "closing the window ends with exit code 0" || { fail "close: exit code $code"; cat stderr.log; }

# No display at all: the window message on standard error and exit code 0.
env -u DISPLAY "$velmora" 2>stderr.log &
wait_exit $! 20
code=$?
if [ $code -eq 0 ] && grep -q "Failed To Register The Window Class." stderr.log; then
  pass "without a display: message on stderr, exit code 0"
else
  fail "without a display: exit code $code, stderr:"; cat stderr.log
fi

[ $e2e_failures -eq 0 ]
