#!/usr/bin/env bash
# Music end to end under Xvfb with SDL's dummy audio driver: the show runs with music and leaves the capture
# text on the clipboard after it has ended; a missing music file and a missing sound device are reported.
# Usage: music_test.sh VELMORA
set -u
velmora=$(realpath "$1")
. "$(dirname "$0")/xvfb_session.sh"
cd "$e2e_scratch"

# clipboard_holds_capture: whether the clipboard holds the show's capture text (in $clipboard).
clipboard_holds_capture() {
  clipboard=$(timeout 2 xclip -o -selection clipboard 2>/dev/null)
  [[ "$clipboard" == "Cam :0.,0.,0."*"MCr :"* ]]
}

# The show drawing with music, a middle click (a capture, handed to the clipboard as the show ends), Escape:
# the clipboard keeps the capture text after the show has ended.
if start_through_dialog Return; then
  window=$(find_window "$show_title")
  if [ -n "$window" ]; then
    wait_until 30 drawing "$window" || fail "the show's picture did not move"
    xdotool mousemove --window "$window" 300 200 click 2
    press_escape "$window"
  else
    fail "the show did not start with music"
  fi
  expect_exit "playing with music, then Escape" 0
  wait_until 10 clipboard_holds_capture && pass "the clipboard holds the capture text after the show has ended" ||
    fail "clipboard after the show: '$clipboard'"
fi

# No music file: "No sound file." and exit code 0.
mv music/"Tessaly - Slow Orbit.mp3" music/elsewhere.mp3
if start_through_dialog Return; then
  answer_message_box "Velmra  "
  expect_exit "without the music file" 0
  grep -q "No sound file." stderr.log && pass "without the music file: message on stderr" ||
    fail "without the music file: no message on stderr"
fi
mv music/elsewhere.mp3 music/"Tessaly - Slow Orbit.mp3"

# No sound device: "Program will now exit." and exit code 1.
if SDL_AUDIODRIVER=no-such-driver start_through_dialog Return; then
  answer_message_box "Velmra  "
  expect_exit "without a sound device" 1
  grep -q "Program will now exit." stderr.log && pass "without a sound device: message on stderr" ||
    fail "without a sound device: no message on stderr"
fi

[ $e2e_failures -eq 0 ]
