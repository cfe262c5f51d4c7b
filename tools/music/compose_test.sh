#!/usr/bin/env bash
# End-to-end checks of the music tools: failures read as one line and leave nothing behind, renders are
# byte-identical run to run, and the full piece has the show's length and the spectrum its pictures need.
# Usage: compose_test.sh VELMORA_COMPOSE VELMORA_SPECTRUM_CHECK WORK_DIR
set -euo pipefail
compose=$1 check=$2 work=$3
rm -rf "$work" && mkdir -p "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

expect_failure() {  # expected message, then the command
  local expected=$1 out status=0
  shift
  out=$("$@" 2>&1) || status=$?
  [ "$status" -eq 1 ] || fail "exit status $status, wanted 1: $*"
  [ "$out" = "$expected" ] || fail "message '$out', wanted '$expected'"
}

expect_failure "velmora-compose: cannot read soundfont $work/none.sf3" \
  "$compose" "$work/a.mp3" --soundfont "$work/none.sf3"
expect_failure "velmora-compose: cannot write $work/no/such/dir.mp3: No such file or directory" \
  "$compose" "$work/no/such/dir.mp3"
echo "not a soundfont" >"$work/text.sf2"
expect_failure "velmora-compose: $work/text.sf2 is not a SoundFont (SF2 or SF3) file" \
  "$compose" "$work/a.mp3" --soundfont "$work/text.sf2"
rm "$work/text.sf2"
[ -z "$(ls -A "$work")" ] || fail "a failed run left files: $(ls "$work")"

"$compose" "$work/a.mp3" --seconds 12 >/dev/null
"$compose" "$work/b.mp3" --seconds 12 >/dev/null
cmp "$work/a.mp3" "$work/b.mp3" || fail "two renders differ"

"$compose" "$work/piece.mp3"
"$check" "$work/piece.mp3" --length 240 --require 31-134 --require 141-225
