# Sourced by the web test and benchmark: serves SITE_DIR on 127.0.0.1 (tests/web/serve.py, keeping what the
# page posts to /upload/ in SCRATCH) and stops it, and every Chromium started with a profile in SCRATCH, on
# exit. After `start_site_server SITE_DIR SCRATCH`, $site_url is the page's address.
start_site_server() {
  local site=$1
  site_scratch=$2
  python3 "$(dirname "${BASH_SOURCE[0]}")/serve.py" "$site" "$site_scratch" "$site_scratch/port" &
  site_server=$!
  trap stop_site_server EXIT
  for _ in $(seq 50); do [ -s "$site_scratch/port" ] && break; sleep 0.1; done
  site_url="http://127.0.0.1:$(cat "$site_scratch/port")/index.html"
}

stop_site_server() {
  kill "$site_server" 2>/dev/null || true
  pkill -f "user-data-dir=$site_scratch/" 2>/dev/null || true
  sleep 1  # Chromium's helper processes leave their profiles last
  rm -rf "$site_scratch"
}
