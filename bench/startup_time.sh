#!/usr/bin/env bash
# Start-up times under Xvfb with the show's own music, median of 5 runs: from process start to the setup
# dialog on screen, and from "Run ... " to the first frame shown (the time spent in the dialog is the
# user's, not ours). Options after BUILD_DIR go to the program, such as --from 200.
# Usage: bench/startup_time.sh BUILD_DIR [VELMORA_OPTION...]
set -euo pipefail
build=$(realpath "$1")
shift
probe=$build/bench/first_frame
velmora=$build/velmora
. "$(dirname "$0")/../tests/e2e/xvfb_session.sh"
cd "$e2e_scratch"
[ -e "$build/music/Tessaly - Slow Orbit.mp3" ] && cp "$build/music/Tessaly - Slow Orbit.mp3" music/
now() { date +%s.%N; }
median() { printf '%s\n' "$@" | sort -n | sed -n 3p; }
to_dialog=() to_frame=()
for run in 1 2 3 4 5; do
  start=$(now)
  "$probe" "$@" >shown.txt 2>>"${STARTUP_LOG:-/dev/null}" &
  probe_pid=$!
  until dialog=$(window_titled "$dialog_title") && [ -n "$dialog" ] && xwininfo -id "$dialog" | grep -q IsViewable
  do sleep 0.01; done
  appeared=$(now)
  sleep 0.3  # let the dialog settle before typing; not part of the measured times
  xdotool windowfocus --sync "$dialog" key Return
  pressed=$(now)
  wait "$probe_pid"
  to_dialog+=("$(echo "$appeared - $start" | bc -l)")
  to_frame+=("$(echo "$(cat shown.txt) - $pressed" | bc -l)")
  printf 'run %d: dialog after %.3f s, first frame %.3f s after Run\n' "$run" "${to_dialog[-1]}" "${to_frame[-1]}"
done
printf 'median: dialog after %.3f s, first frame %.3f s after Run\n' "$(median "${to_dialog[@]}")" \
  "$(median "${to_frame[@]}")"
