#!/usr/bin/env bash
# The web page's figures in headless Chromium (WebGL 2 on SwiftShader unless a GPU is there): download size
# (code and data, as served and gzipped), time from loading the page to the title card (median of 3), and
# the frame time at 1280 x 720 over 15 s of the show from a few starting points (silent).
#   bench/web_page.sh [SITE_DIR]   (default build-web/site, made by scripts/build-web.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
site=$(cd "${1:-$root/build-web/site}" && pwd)
scratch=$(mktemp -d)
source "$root/tests/web/site_server.sh"
start_site_server "$site" "$scratch"
base=$site_url

# run NAME SECONDS QUERY: the page with ?report for SECONDS; its report lines end up in $scratch/NAME.
run() {
  start_chromium --autoplay-policy=no-user-gesture-required --window-size=1280,720 \
    "$base?report=/upload/$1&$3" 2>/dev/null
  sleep "$2"
  stop_chromium $browser
}

echo "download (bytes as served / gzip -9):"
for file in velmora.js velmora.wasm index.html velmora.data; do
  printf '  %-13s %9d / %9d\n' "$file" "$(stat -c %s "$site/$file")" "$(gzip -9c "$site/$file" | wc -c)"
done

readies=()
for k in 1 2 3; do
  run "ready$k" 4 ""
  readies+=("$(head -n1 "$scratch/ready$k" | awk '{ print $5 }')")
done
echo "page load to title card: $(printf '%s\n' "${readies[@]}" | sort -n | sed -n 2p) ms (median of 3: ${readies[*]})"

for from in 0 60 150; do
  run "frames$from" 20 "autostart&silent&from=$from"
  # From the fifth second (start-up done) to the last line.
  awk -v from="$from" 'NR == 5 { c0 = $1; f0 = $3 } END {
      printf "1280 x 720 from %s s: %.1f ms a frame (%d frames over %.1f s of demo clock)\n",
             from, 1000 * ($1 - c0) / ($3 - f0), $3 - f0, $1 - c0 }' "$scratch/frames$from"
done
