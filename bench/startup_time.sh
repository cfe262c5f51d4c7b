#!/usr/bin/env bash
# Time from process start to the first frame shown, under Xvfb: the median of 5 runs.
# Usage: bench/startup_time.sh BUILD_DIR
set -euo pipefail
probe=$(realpath "$1")/bench/first_frame
. "$(dirname "$0")/../tests/e2e/xvfb_session.sh"
cd "$e2e_scratch"
times=()
for run in 1 2 3 4 5; do
  start=$(date +%s.%N)
  shown=$("$probe" 2>/dev/null)
  times+=("$(echo "$shown - $start" | bc -l)")
  printf 'run %d: %.3f s\n' "$run" "${times[-1]}"
done
printf 'median: %.3f s\n' "$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)"
