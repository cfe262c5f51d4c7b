# Sourced by the end-to-end tests (after setting $velmora): starts a private X server and exports its DISPLAY,
# and lays out a working directory for the show; the server and the directory go away when the test script
# exits. The server is Xvfb (one screen of $E2E_SCREEN), or, with E2E_SERVER=xorg-dummy, Xorg with the dummy
# video driver and the display modes of xorg-dummy.conf, whose modes RandR can switch.
. "$(dirname "${BASH_SOURCE[0]}")/../wait_until.sh"
e2e_scratch=$(mktemp -d)
if [ "${E2E_SERVER:-xvfb}" = xorg-dummy ]; then
  Xorg -displayfd 3 -config "$(realpath "$(dirname "${BASH_SOURCE[0]}")")/xorg-dummy.conf" -noreset -nolisten tcp \
    -novtswitch -sharevts -logfile "$e2e_scratch/xserver.log" 3>"$e2e_scratch/display" 2>/dev/null &
else
  Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x720x24}" -nolisten tcp 3>"$e2e_scratch/display" \
    2>"$e2e_scratch/xserver.log" &
fi
e2e_xserver=$!
trap 'kill $e2e_xserver 2>/dev/null; wait $e2e_xserver 2>/dev/null; rm -rf "$e2e_scratch"' EXIT
for _ in $(seq 100); do
  [ -s "$e2e_scratch/display" ] && break
  sleep 0.1
done
if [ ! -s "$e2e_scratch/display" ]; then
  echo "the X server did not start:"; cat "$e2e_scratch/xserver.log"; exit 1
fi
export DISPLAY=":$(head -n1 "$e2e_scratch/display")"
export SDL_AUDIODRIVER=dummy
unset WAYLAND_DISPLAY

# The asset pack the build drew, and a stand-in for the show's music: 30 s of a low tone.
cp -r "${e2e_pack:-$(dirname "$velmora")/textures}" "$e2e_scratch/textures"
mkdir -p "$e2e_scratch/music"
sox -q -n -r 44100 -c 2 -C 128 "$e2e_scratch/music/Tessaly - Slow Orbit.mp3" synth 30 sine 87 vol 0.3

e2e_failures=0
fail() { echo "FAIL: $*"; e2e_failures=$((e2e_failures + 1)); }
pass() { echo "ok: $*"; }

# wait_exit PID SECONDS: the process's exit code, or 124 after killing it when it outlives the limit.
wait_exit() {
  local pid=$1 limit=$2
  for _ in $(seq $((limit * 10))); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; return $?; }
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  return 124
}

# window_titled TITLE: the id of a top-level window with exactly that title, or nothing. (xwininfo reads
# UTF-8 titles, which xdotool's name search misses.)
window_titled() {
  xwininfo -root -children 2>/dev/null | grep -F "\"$1\":" | awk '{print $1}' | head -n1
}

# find_window TITLE [PID]: like window_titled, waiting up to 30 s for the window to be mapped, or until the
# process PID has ended.
find_window() {
  local window
  for _ in $(seq 300); do
    [ -z "${2:-}" ] || kill -0 "$2" 2>/dev/null || return
    window=$(window_titled "$1")
    if [ -n "$window" ] && xwininfo -id "$window" | grep -q 'IsViewable'; then
      echo "$window"; return
    fi
    sleep 0.1
  done
}

dialog_title='           Velmora by Oskel - 2008 '
show_title=' = Velmora Oskel 2008 = '

# free_display_number: a display number that no X server on this machine holds.
free_display_number() {
  local n=20
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo $n
}

# start_through_dialog KEYS...: starts velmora (stderr to stderr.log), waits for the setup dialog, focuses it
# and types the keys. Sets $pid; fails when the dialog does not appear.
start_through_dialog() {
  "$velmora" 2>stderr.log &
  pid=$!
  local dialog
  dialog=$(find_window "$dialog_title" $pid)
  if [ -z "$dialog" ]; then
    fail "the setup dialog did not appear"; cat stderr.log; return 1
  fi
  take_focus "$dialog"
  [ $# -eq 0 ] || xdotool key --delay 50 "$@"
}

# answer_message_box CAPTION: waits for an SDL message box with that caption and presses its default button.
answer_message_box() {
  local box
  box=$(find_window "$1")
  if [ -z "$box" ]; then
    fail "no message box \"$1\""; return 1
  fi
  take_focus "$box"
  xdotool key Return
}

# take_focus WINDOW: gives the window the keyboard focus, waiting up to 10 s until the server has it there.
take_focus() {
  wait_until 10 focus_taken "$1" || fail "window $1 did not take the focus"
}
focus_taken() {
  xdotool windowfocus "$1" 2>/dev/null
  [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$(($1))" ]
}

# drawing WINDOW: whether the window's picture changes between two looks in a row (the show draws frames).
drawing() {
  xwd -silent -id "$1" -out "$e2e_scratch/look1.xwd" && sleep 0.05 &&
    xwd -silent -id "$1" -out "$e2e_scratch/look2.xwd" && ! cmp -s "$e2e_scratch/look1.xwd" "$e2e_scratch/look2.xwd"
}

# press_escape WINDOW: focuses the window and taps Escape once (pressed and released at once).
press_escape() {
  take_focus "$1"
  xdotool key Escape
}

# expect_exit NAME CODE: waits up to 20 s for $pid and checks its exit code.
expect_exit() {
  wait_exit "$pid" 20
  local code=$?
  if [ "$code" -eq "$2" ]; then pass "$1: exit code $code"; else fail "$1: exit code $code"; cat stderr.log; fi
}
