# Sourced by the end-to-end tests: starts a private virtual X server and exports its DISPLAY; the server and
# the scratch directory go away when the test script exits.
e2e_scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$e2e_scratch/display" 2>"$e2e_scratch/xvfb.log" &
e2e_xvfb=$!
trap 'kill $e2e_xvfb 2>/dev/null; wait $e2e_xvfb 2>/dev/null; rm -rf "$e2e_scratch"' EXIT
for _ in $(seq 100); do
  [ -s "$e2e_scratch/display" ] && break
  sleep 0.1
done
if [ ! -s "$e2e_scratch/display" ]; then
  echo "Xvfb did not start:"; cat "$e2e_scratch/xvfb.log"; exit 1
fi
export DISPLAY=":$(head -n1 "$e2e_scratch/display")"
export SDL_AUDIODRIVER=dummy
unset WAYLAND_DISPLAY

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

# find_window TITLE: the id of the first visible window with exactly that title, within 30 s.
find_window() {
  timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}
