#!/usr/bin/env bash
# Captures the show to one video in chunks rendered side by side, on this machine's cores or GPUs or on
# several machines, then joins the chunks without re-encoding their pictures and lays the music under the
# whole. Every chunk's frames are the very frames of a capture in one go, so the result is the same video.
#
# Finished chunks are kept in a folder beside the output, named after it and after the options and span
# (OUT.chunks-1a2b3c4d/, one file per chunk named by its frames). A chunk counts as finished once it is there:
# velmora-capture writes it under a partial name and renames it when it is whole. So an interrupted run
# (Ctrl-C, a reboot, a full disk) loses only the chunks in hand: the same command again renders just the
# missing ones and joins them. The folder is removed once the output is joined; the output, too, is written
# under a partial name (.OUT.partial.mp4) and renamed when whole. Exit status: 0 done, 1 a chunk or the join
# failed (what is finished stays), 2 bad command line.
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
[ -d "$(dirname -- "$output")" ] || fail "there is no directory $(dirname -- "$output") for $output"

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

# Everything that shapes the chunks' files names their folder (in any order), so another set gets another
# folder. Where they render and how many there are do not: a chunk's name tells its frames.
key=$( (printf '%s\n' "${options[@]}" | paste -d ' ' - -; echo "frames $first $last") | sort | sha1sum)
key=${key:0:8}
output=$(realpath -m -- "$output")
folder=$output.chunks-$key
mkdir -p "$folder"
: >"$folder/jobs"
: >"$folder/list"
count=0
for ((i = 0; i < chunks; i++)); do
  a=$((first + (last - first) * i / chunks))
  b=$((first + (last - first) * (i + 1) / chunks))
  [ "$b" -gt "$a" ] || continue
  count=$((count + 1))
  name=$(printf 'frames_%06d-%06d.%s' $((a + 1)) "$b" "$extension")
  [ -f "$folder/$name" ] || echo "$a/$fps $b/$fps $name" >>"$folder/jobs"
  echo "file '${folder//\'/\'\\\'\'}/$name'" >>"$folder/list"  # a quote in a name becomes '\''
done
missing=$(wc -l <"$folder/jobs")
echo "capture-parallel: rendering $missing of $count chunks into $folder" \
  "($((count - missing)) finished before)" >&2

remote=()
[ -z "$sshlogin" ] || remote=(--sshlogin "$sshlogin" --workdir "$PWD" --return "$folder/{3}" --cleanup)
jobs=$chunks
gpu=()
if [ -n "$gpus" ]; then
  jobs=$gpus
  gpu=(--gpu '{=1 $_ = slot() - 1 =}')  # each running job has a slot of its own, 1 ... N: GPU slot - 1
fi
# parallel hands the command line to a shell, so names with spaces go quoted.
quoted_folder=$(printf '%q' "$folder")
if [ "$missing" -gt 0 ] &&
  ! parallel --colsep ' ' --halt now,fail=1 --jobs "$jobs" --tag --line-buffer "${remote[@]}" \
    mkdir -p "$quoted_folder" '&&' "$(printf '%q' "$capture")" "${options[@]}" "${gpu[@]}" \
    --from {1} --to {2} "$quoted_folder/{3}" <"$folder/jobs"; then
  echo "capture-parallel: a chunk failed (see above); the finished ones stay in $folder, and the same" \
    "command again renders only the others" >&2
  exit 1
fi

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
# The join, too, is renamed into place once whole and on the disk (-xerror: a failed final write fails
# ffmpeg, which otherwise only reports it).
partial=$(dirname -- "$output")/.$(basename -- "${output%.*}").partial.$extension
if ! said=$(ffmpeg -hide_banner -loglevel error -nostdin -xerror -y -f concat -safe 0 -i "$folder/list" \
  "${audio[@]}" -map 0:v -c:v copy "$partial" 2>&1) || ! sync -- "$partial"; then
  rm -f -- "$partial"
  echo "capture-parallel: cannot join the chunks into $output ($(grep -v '^ ' <<<"$said" | tail -n1));" \
    "they stay in $folder" >&2
  exit 1
fi
mv -f -- "$partial" "$output"
rm -rf -- "$folder"
echo "capture-parallel: $((last - first)) frames in $count chunks joined into $output" >&2
