#!/usr/bin/env bash
# Captures the show to one video in chunks rendered side by side, on this machine's cores or GPUs or on
# several machines, then joins the chunks without re-encoding their pictures and lays the music under the
# whole. Every chunk's frames are the very frames of a capture in one go, so the result is the same video.
#
# Usage, from the build directory (where textures/ and music/ are):
#   scripts/capture-parallel.sh [--chunks N] [--gpus N | --sshlogin LOGINS] [velmora-capture options] OUT
# OUT               a .mp4, .mkv or .mov file
# --chunks N        how many parts (default: the number of cores here, or of GPUs with --gpus)
# --gpus N          one chunk at a time on each of this machine's first N GPUs (velmora-capture --gpu k)
# --sshlogin LOGINS GNU parallel's list of machines, e.g. "8/alice@big,:" (":" is this machine). Each one
#                   needs the same build at the same path; the parts come back here over ssh.
# The remaining options (--size, --fps, --from, --to, --samples, --codec, --encoder, --crf) go to every
# velmora-capture.
# VELMORA_CAPTURE and VELMORA_MUSIC name another capture program or music file than the build directory's.
set -euo pipefail

capture=${VELMORA_CAPTURE:-$PWD/tools/velmora-capture}
music=${VELMORA_MUSIC:-$PWD/music/Tessaly - Slow Orbit.mp3}
chunks=""
gpus=""
sshlogin=""
fps=30
from=0
to=236.8
options=()
output=""

fail() {
  echo "capture-parallel: $*" >&2
  exit 2
}

while [ $# -gt 0 ]; do
  case $1 in
    --chunks) chunks=${2:?}; shift 2 ;;
    --gpus) gpus=${2:?}; shift 2 ;;
    --sshlogin) sshlogin=${2:?}; shift 2 ;;
    --fps) fps=${2:?}; options+=("$1" "$2"); shift 2 ;;
    --from) from=${2:?}; shift 2 ;;
    --to) to=${2:?}; shift 2 ;;
    --size | --samples | --crf | --codec | --encoder) options+=("$1" "${2:?}"); shift 2 ;;
    -*) fail "unknown option $1" ;;
    *) [ -z "$output" ] || fail "more than one output given"; output=$1; shift ;;
  esac
done
extension=${output##*.}
case $extension in mp4 | mkv | mov) ;; *) fail "the output must be a .mp4, .mkv or .mov file" ;; esac
if [ -n "$gpus" ]; then
  [[ $gpus =~ ^[1-9][0-9]*$ ]] || fail "--gpus must be a whole number of at least 1"
  [ -z "$sshlogin" ] || fail "--gpus is for the GPUs of this machine; with --sshlogin name each machine's jobs"
fi
chunks=${chunks:-${gpus:-$(nproc)}}
[[ $chunks =~ ^[1-9][0-9]*$ ]] || fail "--chunks must be a whole number of at least 1"
[ -x "$capture" ] || fail "no velmora-capture at $capture (run this from the build directory)"

# Frame numbers as velmora-capture counts them: frame k shows demo clock k / fps, and the last frame of the
# show is the last one up to its end at 236.8 s; seconds may be fractions.
frame_of() {
  awk -v value="$1" -v fps="$fps" 'BEGIN { n = split(value, p, "/"); x = p[1]; if (n > 1) x /= p[2];
                                           k = int(x * fps + 0.5); end = int(236.8 * fps + 1e-6);
                                           printf "%d", k < end ? k : end }'
}
first=$(frame_of "$from")
last=$(frame_of "$to")
[ "$last" -gt "$first" ] || fail "no frames between --from $from and --to $to"

parts=$(mktemp -d "$PWD/.velmora-parts.XXXXXX")
trap 'rm -rf "$parts"' EXIT
: >"$parts/jobs"
: >"$parts/list"
for ((i = 0; i < chunks; i++)); do
  a=$((first + (last - first) * i / chunks))
  b=$((first + (last - first) * (i + 1) / chunks))
  [ "$b" -gt "$a" ] || continue
  name=$(printf 'part_%04d.%s' "$i" "$extension")
  echo "$a/$fps $b/$fps $name" >>"$parts/jobs"
  echo "file '$parts/$name'" >>"$parts/list"
done

remote=()
if [ -n "$sshlogin" ]; then
  relative=${parts#"$PWD"/}
  remote=(--sshlogin "$sshlogin" --workdir "$PWD" --return "$relative/{3}" --cleanup)
fi
jobs=$chunks
gpu=()
if [ -n "$gpus" ]; then
  jobs=$gpus
  gpu=(--gpu '{=1 $_ = slot() - 1 =}')  # each running job has a slot of its own, 1 ... N: GPU slot - 1
fi
parallel --colsep ' ' --halt now,fail=1 --jobs "$jobs" --tag --line-buffer "${remote[@]}" \
  mkdir -p "$parts" '&&' "$capture" "${options[@]}" "${gpu[@]}" --from {1} --to {2} "$parts/{3}" <"$parts/jobs"

# The pictures are copied as they are; the music is cut once for the whole span, so the joins are silent.
audio=()
if [ -f "$music" ]; then
  audio=(-ss "$(awk -v f="$first" -v r="$fps" 'BEGIN { printf "%.6f", (f + 1) / r }')"
         -t "$(awk -v f="$first" -v l="$last" -v r="$fps" 'BEGIN { printf "%.6f", (l - f) / r }')"
         -i "$music" -map 1:a)
  case $extension in
    mp4) audio+=(-c:a aac -b:a 192k) ;;
    mov) audio+=(-c:a pcm_s16le) ;;
    mkv) audio+=(-c:a flac) ;;
  esac
fi
ffmpeg -hide_banner -loglevel error -nostdin -y -f concat -safe 0 -i "$parts/list" "${audio[@]}" \
  -map 0:v -c:v copy "$output"
echo "capture-parallel: $((last - first)) frames in $(wc -l <"$parts/jobs") chunks joined into $output" >&2
