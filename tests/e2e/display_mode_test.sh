#!/usr/bin/env bash
# Full screen on an X server whose display modes RandR can switch (Xorg with the dummy video driver, a
# 1920 x 1080 desktop): by default the show covers the display and leaves its mode alone; with --exclusive it
# switches the display to the show's size and puts the desktop's mode back whichever way the show ends.
# Usage: display_mode_test.sh VELMORA
set -u
velmora=$(realpath "$1")
E2E_SERVER=xorg-dummy . "$(dirname "$0")/xvfb_session.sh"
cd "$e2e_scratch"

current_mode() { xrandr | awk '/\*/ { print $1; exit }'; }
switched() { [ "$(current_mode)" = 1280x720 ]; }
desktop=$(current_mode)
[ "$desktop" = 1920x1080 ] || { echo "FAIL: the dummy X server started in mode '$desktop'"; exit 1; }

# start_show ARGS...: starts velmora without the dialog (stderr to stderr.log) and waits for its window.
start_show() {
  "$velmora" --no-dialog "$@" 2>stderr.log &
  pid=$!
  window=$(find_window "$show_title")
  [ -n "$window" ] || { fail "$*: no show window"; cat stderr.log; }
}

# mode_after NAME: the desktop's mode is back once the show has ended.
mode_after() {
  local mode
  mode=$(current_mode)
  [ "$mode" = "$desktop" ] && pass "$1: the desktop is back in $desktop" || fail "$1: the desktop is left in $mode"
}

# The default full screen: a window over the whole display, the mode untouched.
window_size() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'; }
covers_display() { [ "$(window_size)" = 1920x1080 ]; }
start_show --size 1280x720
wait_until 10 covers_display
geometry=$(window_size)
[ "$(current_mode)" = "$desktop" ] && [ "$geometry" = 1920x1080 ] &&
  pass "full screen covers the display in the desktop's mode" ||
  fail "full screen: mode $(current_mode), window $geometry"
press_escape "$window"
expect_exit "full screen, Escape" 0
mode_after "full screen"

# --exclusive: the mode is switched while the show plays and restored on every way out.
exclusive_ends_by() {
  local how=$1
  shift
  start_show --exclusive --size 1280x720 "$@"
  wait_until 10 switched
  local during
  during=$(current_mode)
  [ "$during" = 1280x720 ] && pass "--exclusive ($how): the display is switched to 1280x720" ||
    fail "--exclusive ($how): the display is in $during"
  case $how in
    Escape) press_escape "$window" ;;
    SIGTERM) kill -TERM "$pid" ;;
    SIGHUP) kill -HUP "$pid" ;;
    "its own end") ;;
  esac
  expect_exit "--exclusive, $how" 0
  mode_after "--exclusive, $how"
}
exclusive_ends_by Escape
exclusive_ends_by SIGTERM
exclusive_ends_by SIGHUP
exclusive_ends_by "its own end" --from 233

# A start-up failure after the switch (no music file): the message, then the desktop's mode.
mv music/"Tessaly - Slow Orbit.mp3" music/elsewhere.mp3
"$velmora" --no-dialog --exclusive --size 1024x768 2>stderr.log &
pid=$!
answer_message_box "Velmra  "
expect_exit "--exclusive without the music file" 0
mode_after "--exclusive, a start-up failure"
mv music/elsewhere.mp3 music/"Tessaly - Slow Orbit.mp3"

[ $e2e_failures -eq 0 ]
