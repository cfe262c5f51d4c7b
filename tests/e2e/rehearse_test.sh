#!/usr/bin/env bash
# Rehearsal mode end to end under Xvfb, with real key presses: a paused picture holds still; jumps back and
# forth and frame steps land where velmora-frame draws the same clock, pixel for pixel (the screenshot key's
# file names that clock); the overlay says where the show is; Space plays on and Escape ends it; the setup
# dialog's box starts the same mode.
# Usage: rehearse_test.sh VELMORA VELMORA_FRAME READ_OVERLAY
set -u
velmora=$(realpath "$1")
frame_tool=$(realpath "$2")
read_overlay=$(realpath "$3")
. "$(dirname "$0")/xvfb_session.sh"
cd "$e2e_scratch"
size=640x360
# Music the pictures react to: loud tones on the two bins the scenes follow (bass left, hi-hat right), so that
# a landing drawn with another moment's spectrum shows.
sox -q -n -r 44100 -c 2 -C 128 "music/Tessaly - Slow Orbit.mp3" synth 70 sine 86.13 sine 9905.27 vol 0.95
# Screenshots go to the folder the show was started from, not to the show's data folder.
export VELMORA_DATA_DIR=$PWD
mkdir shots && cd shots

# screenshot: presses S and prints the name of the PNG the show wrote, waiting up to 20 s for it.
screenshot() {
  rm -f velmora-*.png
  xdotool key s
  local name
  for _ in $(seq 200); do
    name=$(sed -n 's/^velmora: wrote //p' stderr.log | tail -n1)
    [ "$name" = "$PWD/$(basename "$name")" ] && [ -f "$name" ] && { basename "$name"; return; }
    sleep 0.1
  done
}

# clock_of NAME: the demo clock in a screenshot's name.
clock_of() {
  local clock=${1#velmora-}
  echo "${clock%.png}"
}

# same_as_frame_tool NAME WHAT: the screenshot's pixels against velmora-frame's at the clock it names.
same_as_frame_tool() {
  if [ -z "$1" ]; then
    fail "$2: no screenshot"; return
  fi
  "$frame_tool" --time "$(clock_of "$1")" --size $size --renderer batched reference.png 2>/dev/null
  cmp -s reference.png "$1" && pass "$2: $1 is velmora-frame's picture" ||
    fail "$2: $1 differs from velmora-frame --time $(clock_of "$1")"
}

# overlay_shows PATTERN: waits up to 30 s for an overlay line matching the extended regex (with "!" first: for
# no line to match); false when it never came.
overlay_shows() {
  local invert=false pattern=$1
  [ "${pattern:0:1}" = "!" ] && invert=true pattern=${pattern:1}
  for _ in $(seq 60); do
    xwd -id "$window" -out overlay.xwd
    if "$read_overlay" overlay.xwd | grep -qE "$pattern"; then
      $invert || return 0
    else
      $invert && return 0
    fi
    sleep 0.5
  done
  return 1
}

# pause: once the show draws (its overlay comes up), pauses it and waits until it says so, then hides the
# overlay again; sets $paused to the clock it paused at.
pause() {
  xdotool key t
  overlay_shows '^CLOCK' || fail "the overlay did not come up"
  xdotool key space
  overlay_shows '^PAUSED$' || fail "the overlay never said PAUSED"
  paused=$("$read_overlay" overlay.xwd | sed -n 's/^CLOCK //p')
  xdotool key t
  overlay_shows '!^CLOCK' || fail "the overlay did not go"
}

# holds_still SECONDS: whether two dumps of the window that far apart are the same picture.
holds_still() {
  xwd -id "$window" -out still1.xwd
  sleep "$1"
  xwd -id "$window" -out still2.xwd
  cmp -s still1.xwd still2.xwd
}

# near A B TOLERANCE: whether |A - B| <= TOLERANCE.
near() {
  awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; exit !(d <= t && -d <= t) }'
}

"$velmora" --rehearse --no-dialog --windowed --size $size --renderer batched --from 200 2>stderr.log &
pid=$!
window=$(find_window "$show_title" $pid)
if [ -z "$window" ]; then
  fail "the show window did not appear"; cat stderr.log; exit 1
fi
xdotool windowfocus --sync "$window"

# Paused, the picture holds still.
pause
holds_still 1 && pass "paused: two pictures a second apart are the same" || fail "paused: the picture moved"

# Back from 200 s to 20 s, eighteen times ten seconds.
xdotool key --delay 20 $(printf 'Next %.0s' $(seq 18))
back=$(screenshot)
near "$(clock_of "$back")" "$(awk -v c="$paused" 'BEGIN { print c - 180 }')" 0.0011 &&
  pass "18 x Page Down from $paused s: at $back" || fail "18 x Page Down from '$paused' s: at '$back'"
same_as_frame_tool "$back" "jump back 180 s"

# Forty seconds on, into the scenes that follow the hi-hat, a second back and forth, two frames forward and one
# back: forty seconds and a frame later.
xdotool key --delay 20 Prior Prior Prior Prior Right Left Up Up Down
on=$(screenshot)
near "$(clock_of "$on")" "$(awk -v c="$(clock_of "$back")" 'BEGIN { print c + 40 + 1 / 60 }')" 0.0011 &&
  pass "jumps and steps: at $on" || fail "jumps and steps: at '$on' after '$back'"
same_as_frame_tool "$on" "jumps and steps"

# The overlay at a known instant: three seconds from the start, where the first half's opening layers draw.
xdotool key --delay 20 Home Right Right Right t
overlay_shows '^CLOCK 3.017$' || fail "the overlay did not come to 3.017 s"
"$read_overlay" overlay.xwd >overlay.txt
grep -qx "CLOCK 3.017" overlay.txt && grep -qx PAUSED overlay.txt && pass "overlay: clock 3.017, paused" ||
  { fail "overlay: clock and pause"; cat overlay.txt; }
rows=$(sed -n '/^ROWS/,$p' overlay.txt | sed 's/^ROWS//' | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
expected="1 2 3 5 6 7 8 9 12 18 19 20 21 25 26 27 28 31 33 34 35 38 43 44 58 59 61 62 63 67 69 70 72"
[ "$rows" = "$expected" ] && pass "overlay: the opening's rows" || fail "overlay rows: '$rows'"

# Playing on, then Escape ends the show as in the player.
xdotool key space
overlay_shows '^CLOCK ([4-9]|[1-9][0-9])\.' || fail "the clock did not reach 4 s"
played=$(screenshot)
awk -v c="$(clock_of "$played")" 'BEGIN { exit !(c > 3.5) }' && pass "Space plays on: at $played" ||
  fail "Space plays on: at '$played'"
press_escape "$window"
expect_exit "Escape" 0

# The setup dialog's "Rehearse" box: Tab to "Windowed" and tick it, on past "Force 16:9" to "Rehearse" and tick
# it; Space then holds the picture, where the player would play on.
if start_through_dialog Tab Tab Tab space Tab Tab space Return; then
  window=$(find_window "$show_title" $pid)
  if [ -n "$window" ]; then
    xdotool windowfocus --sync "$window"
    pause
    holds_still 0.5 && pass "the dialog's Rehearse box: Space pauses" ||
      fail "the dialog's Rehearse box: the picture moved after Space"
    press_escape "$window"
  else
    fail "the show did not start from the dialog"
  fi
  expect_exit "rehearsing from the dialog" 0
fi

[ $e2e_failures -eq 0 ]
