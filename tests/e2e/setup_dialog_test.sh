#!/usr/bin/env bash
# The setup dialog end to end under Xvfb (one 1280 x 720 mode): appearance, Enter, Escape, close box, and
# choices made with the keyboard. A screenshot of the dialog is kept in ARTIFACT_DIR.
# Usage: setup_dialog_test.sh VELMORA CLOSE_WINDOW ARTIFACT_DIR
set -u
velmora=$(realpath "$1")
close_window=$(realpath "$2")
artifacts=$3
. "$(dirname "$0")/xvfb_session.sh"
cd "$e2e_scratch"
mkdir -p "$artifacts"

position_of() { xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }
geometry_of() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

# Appearance, then Enter: the show starts full screen at the default resolution.
if start_through_dialog; then
  dialog=$(window_titled "$dialog_title")
  xwd -id "$dialog" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$artifacts/setup_dialog.png"
  [ -s "$artifacts/setup_dialog.png" ] && pass "dialog screenshot in $artifacts" || fail "no dialog screenshot"
  xdotool key Return
  window=$(find_window "$show_title")
  if [ -n "$window" ]; then
    [ "$(geometry_of "$window")" = "1280x720" ] && [ "$(position_of "$window")" = "0,0" ] &&
      pass "Enter: full screen 1280x720" || fail "Enter: window $(geometry_of "$window") at $(position_of "$window")"
    press_escape "$window"
  else
    fail "Enter did not start the show"
  fi
  expect_exit "Enter, then Escape" 0
fi

# Escape in the dialog: the process ends before any show window exists.
if start_through_dialog Escape; then
  expect_exit "Escape in the dialog" 0
  ! grep -q . <(window_titled "$show_title") && pass "no show window after Escape" || fail "a show window appeared"
fi

# The dialog's close box.
if start_through_dialog; then
  "$close_window" "$(window_titled "$dialog_title")"
  expect_exit "the dialog's close box" 0
fi

# Keyboard: Tab to "Music" and untick it, Tab to "Windowed" and tick it, Enter. With an audio driver that does
# not exist the show must still start: nothing may touch sound when music is off.
export SDL_AUDIODRIVER=no-such-driver
if start_through_dialog Tab Tab space Tab space Return; then
  window=$(find_window "$show_title")
  if [ -n "$window" ]; then
    [ "$(position_of "$window")" = "50,50" ] && pass "Windowed: window at 50,50" ||
      fail "Windowed: window at $(position_of "$window")"
    press_escape "$window"
  else
    fail "the show did not start without music"
  fi
  expect_exit "without music, windowed" 0
fi

[ $e2e_failures -eq 0 ]
