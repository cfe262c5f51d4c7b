#!/usr/bin/env bash
# The command line end to end: help and version, every refused value (one line, exit code 2, no window), a
# tap of Escape, the show found from another working directory, and --from landing on its instant (the
# first frame shown is nearer velmora-frame's picture of the clock it was drawn at than the next frame step
# is).
# Usage: options_test.sh VELMORA FIRST_FRAME_PNG VELMORA_FRAME
set -u
velmora=$(realpath "$1")
first_frame_png=$(realpath "$2")
velmora_frame=$(realpath "$3")
. "$(dirname "$0")/xvfb_session.sh"
cd "$e2e_scratch"

"$velmora" --help >help.txt 2>&1 && grep -q "^Usage: velmora \[OPTION\]" help.txt && grep -q -- "--from SECONDS" help.txt &&
  pass "--help: usage on standard output, exit code 0" || fail "--help: $(cat help.txt)"
version=$("$velmora" --version)
[[ "$version" =~ ^velmora\ [0-9]+\.[0-9]+\.[0-9]+$ ]] && pass "--version: $version" || fail "--version: $version"

refused=(--no-such-option -x -hx --f --size "--size 0x720" "--size 1280x" "--size 1280x720x2" "--size 99999x10"
  "--size=wide" "--size=7681x720" --from "--from -1" "--from 236.8" "--from 1/0" "--from soon" "--windowed=yes"
  "--help=now" "stray" "--renderer fast" --renderer)
for arguments in "${refused[@]}"; do
  # shellcheck disable=SC2086  # each entry is a whole command line
  "$velmora" $arguments >out.txt 2>err.txt
  code=$?
  if [ $code -eq 2 ] && [ "$(wc -l <err.txt)" -eq 1 ] && grep -q "^velmora: .* (see velmora --help)$" err.txt && [ ! -s out.txt ] &&
    [ -z "$(window_titled "$show_title")" ] && [ -z "$(window_titled "$dialog_title")" ]; then
    pass "refused: $arguments ($(cat err.txt))"
  else
    fail "'$arguments': exit code $code, stderr '$(cat err.txt)'"
  fi
done

# One tap of Escape (pressed and released between two frames, once the show draws) ends the show.
"$velmora" --no-dialog --windowed 2>stderr.log &
pid=$!
window=$(find_window "$show_title")
if [ -n "$window" ]; then
  wait_until 30 drawing "$window" || fail "the show's picture did not move"
  press_escape "$window"
  expect_exit "a single tap of Escape" 0
else
  fail "--no-dialog --windowed: no window ($(tr '\n' ' ' <stderr.log))"
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
fi

# From an unrelated working directory, with the show's files named by VELMORA_DATA_DIR; and a folder
# without them named there: one line naming it, exit code 1.
mkdir -p elsewhere
(cd elsewhere && VELMORA_DATA_DIR="$e2e_scratch" "$velmora" --no-dialog --windowed --from 235 2>../stderr.log)
code=$?
[ $code -eq 0 ] && pass "VELMORA_DATA_DIR: played to the end from elsewhere" || fail "VELMORA_DATA_DIR: exit code $code"
(cd elsewhere && VELMORA_DATA_DIR="$e2e_scratch/elsewhere" "$velmora" --no-dialog 2>../stderr.log)
code=$?
[ $code -eq 1 ] && [ "$(wc -l <stderr.log)" -eq 1 ] && grep -q "$e2e_scratch/elsewhere" stderr.log &&
  pass "no show files: $(cat stderr.log)" || fail "no show files: exit code $code, $(cat stderr.log)"

# mse A.png B.png: the mean squared difference of two pictures.
mse() { ffmpeg -v error -i "$1" -i "$2" -lavfi psnr=stats_file=- -f null - | sed -n 's/.*mse_avg:\([0-9.]*\).*/\1/p'; }
# velmora-frame in silence, as the show plays with --no-music: the show's files without the music.
mkdir -p silent && ln -s ../textures silent/textures
# first_frame_png prints the clock its picture was drawn at: --from plus the time start-up took.
for instant in 60 150 3553/30; do
  clock=$(VELMORA_FIRST_FRAME=live.png "$first_frame_png" --no-dialog --windowed --no-music --size 320x180 \
    --from "$instant" 2>stderr.log)
  if [ -z "$clock" ] || [ "$(echo "$clock - ($instant) < 1" | bc -l)" != 1 ]; then
    fail "--from $instant: the first frame was drawn at '$clock'"; continue
  fi
  (cd silent && "$velmora_frame" --time "$clock" --size 320x180 ../at.png &&
    "$velmora_frame" --time "$(echo "$clock + 1/60" | bc -l)" --size 320x180 ../next.png) 2>/dev/null
  shown=$(mse live.png at.png) step=$(mse at.png next.png)
  if [ -n "$shown" ] && [ -n "$step" ] && [ "$(echo "$shown < $step" | bc -l)" = 1 ]; then
    pass "--from $instant: the first frame differs from velmora-frame's by $shown, one step by $step"
  else
    fail "--from $instant: the first frame differs by '$shown', one step by '$step'"; cat stderr.log
  fi
done

# Every renderer draws the live show's first frame as velmora-frame draws it, and none falls back.
for renderer in compat batched batched-es; do
  clock=$(VELMORA_FIRST_FRAME=live.png "$first_frame_png" --no-dialog --windowed --no-music --size 320x180 \
    --from 150 --renderer $renderer 2>stderr.log)
  (cd silent && "$velmora_frame" --time "${clock:-150}" --size 320x180 --renderer compat ../at.png &&
    "$velmora_frame" --time "$(echo "${clock:-150} + 1/60" | bc -l)" --size 320x180 --renderer compat \
      ../next.png) 2>/dev/null
  shown=$(mse live.png at.png) step=$(mse at.png next.png)
  if [ -n "$shown" ] && [ "$(echo "$shown < $step" | bc -l)" = 1 ] && ! grep -q "compatibility profile" stderr.log; then
    pass "--renderer $renderer: the first frame differs from velmora-frame's by $shown, one step by $step"
  else
    fail "--renderer $renderer: the first frame differs by '$shown', one step by '$step'"; cat stderr.log
  fi
done

[ $e2e_failures -eq 0 ]
