# Sourced by the web test and benchmarks: serves SITE_DIR on 127.0.0.1 (tests/web/serve.py, keeping what the
# page posts to /upload/ in SCRATCH), starts headless Chromium in process groups of its own, and on exit stops
# the server and every Chromium it started, and removes SCRATCH. After `start_site_server SITE_DIR SCRATCH`,
# $site_url is the page's address.
. "$(dirname "${BASH_SOURCE[0]}")/../wait_until.sh"

start_site_server() {
  local site=$1
  site_scratch=$2
  site_browsers=()
  python3 "$(dirname "${BASH_SOURCE[0]}")/serve.py" "$site" "$site_scratch" "$site_scratch/port" &
  site_server=$!
  trap stop_site_server EXIT
  if ! wait_until 10 [ -s "$site_scratch/port" ]; then
    echo "the site server did not start"; exit 1
  fi
  site_url="http://127.0.0.1:$(cat "$site_scratch/port")/index.html"
}

# start_chromium ARGS...: headless Chromium (WebGL 2 on SwiftShader unless a GPU is there) with a fresh profile
# in the scratch folder, in the background, as the leader of a session of its own, so that its helper
# processes can be stopped with it; $browser is its process id. (setsid runs it in the same process only in a
# shell without job control, as scripts run.)
start_chromium() {
  setsid chromium --headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader \
    --user-data-dir="$site_scratch/profile-$RANDOM$RANDOM" "$@" &
  browser=$!
  site_browsers+=("$browser")
}

# ended PID: whether the process has ended.
ended() { ! kill -0 "$1" 2>/dev/null; }

# stop_chromium PID: kills every process of the Chromium started as PID and waits (up to 10 s) until none is
# left running, so that none writes into the scratch folder afterwards.
stop_chromium() {
  kill -KILL -- "-$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  wait_until 10 session_ended "$1" || true
}
session_ended() { ! ps -o stat= --sid "$1" | grep -qv '^Z'; }

stop_site_server() {
  local pid
  for pid in "${site_browsers[@]}"; do stop_chromium "$pid"; done
  kill "$site_server" 2>/dev/null || true
  wait "$site_server" 2>/dev/null || true
  rm -rf "$site_scratch"
}
