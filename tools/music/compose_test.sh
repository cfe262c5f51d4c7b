#!/usr/bin/env bash
# End-to-end checks of the music tools: failures read as one line and leave nothing behind, renders are
# byte-identical run to run (and to the build's own file, when there is one), and the full piece has the
# show's length, the spectrum its pictures need, no tonal line among the hats, and the loudness and true
# peak players expect, as ffmpeg's EBU R128 meter reads them on the decoded MP3.
# Usage: compose_test.sh VELMORA_COMPOSE VELMORA_SPECTRUM_CHECK WORK_DIR [BUILT_MUSIC]
set -euo pipefail
compose=$1 check=$2 work=$3 built=${4:-}
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
expect_failure "velmora-spectrum-check: cannot decode $work/text.sf2" "$check" "$work/text.sf2"
rm "$work/text.sf2"
expect_failure "velmora-spectrum-check: cannot decode $work/none.mp3" "$check" "$work/none.mp3"
[ -z "$(ls -A "$work")" ] || fail "a failed run left files: $(ls "$work")"

"$compose" "$work/a.mp3" --seconds 12 >/dev/null
"$compose" "$work/b.mp3" --seconds 12 >/dev/null
cmp "$work/a.mp3" "$work/b.mp3" || fail "two renders differ"

"$compose" "$work/piece.mp3"
if [ -f "$built" ]; then
  cmp "$work/piece.mp3" "$built" || fail "the piece differs from the build's own"
fi
"$check" "$work/piece.mp3" --length 240 --require 31-134 --require 141-225 --max-line 6

# Integrated loudness -14 +- 1 LUFS and true peak at most -1 dBTP.
summary=$(ffmpeg -hide_banner -nostats -i "$work/piece.mp3" -af ebur128=peak=true -f null - 2>&1 |
  sed -n '/Summary:/,$p')
loudness=$(awk '$1 == "I:" { print $2 }' <<<"$summary")
peak=$(awk '$1 == "Peak:" { print $2 }' <<<"$summary")
echo "integrated loudness $loudness LUFS, true peak $peak dBTP"
awk -v i="$loudness" 'BEGIN { exit !(i >= -15 && i <= -13) }' || fail "integrated loudness $loudness LUFS"
awk -v p="$peak" 'BEGIN { exit !(p <= -1.0) }' || fail "true peak $peak dBTP"
