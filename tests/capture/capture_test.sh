#!/usr/bin/env bash
# velmora-capture and scripts/capture-parallel.sh end to end, at 160 x 90 and 10 frames a second in a scratch
# directory holding the build's asset pack and a stand-in for the music (a low tone).
# Usage: capture_test.sh TOOLS_DIR REPOSITORY
set -u
tools=$(realpath "$1")
repository=$(realpath "$2")
capture=$tools/velmora-capture
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
ln -s "$tools/../textures" textures
mkdir music
sox -q -n -r 44100 -c 2 -C 128 "music/Tessaly - Slow Orbit.mp3" synth 30 sine 87 vol 0.3

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
small=(--size 160x90 --fps 10)

frame_name() { printf 'velmora_%06d.png' "$1"; }
# The MD5 of every decoded picture of a video, one a line.
picture_hashes() { ffmpeg -v error -i "$1" -map 0:v -f framemd5 - | grep -v '^#' | awk -F, '{ print $6 }'; }
# SIGKILL to every process of a session, as a power cut ends them (GNU parallel gives each job a process group
# of its own, and velmora-capture its ffmpeg), again until none is left but the dead.
kill_session() {
  local pass stat line fields found
  for pass in $(seq 50); do
    found=0
    for stat in /proc/[0-9]*/stat; do
      { read -r line <"$stat"; } 2>/dev/null || continue
      fields=(${line##*) })  # after the command's name: state, parent, group, session, ...
      [ "${fields[3]}" = "$1" ] && [ "${fields[0]}" != Z ] && kill -KILL "${stat//[^0-9]/}" 2>/dev/null && found=1
    done
    [ "$found" -eq 1 ] || return 0
  done
}
# One field of ffprobe's report on the first stream of a kind (v or a).
probe() {
  ffprobe -v error -count_frames -select_streams "$2" -show_entries "stream=$3" -of default=nw=1:nk=1 "$1" |
    head -n1
}

# Two seconds to PNGs: frames 1 ... 20, each the picture velmora-frame draws at the same instant.
"$capture" "${small[@]}" --to 2 whole/ 2>capture.log || fail "PNG capture failed: $(cat capture.log)"
[ "$(ls whole | wc -l)" -eq 20 ] && pass "two seconds at 10 fps give 20 PNGs" || fail "PNGs: $(ls whole)"
differing=""
for k in $(seq 20); do
  "$tools/velmora-frame" --time "$k/10" --step 1/10 --size 160x90 single.png 2>/dev/null
  cmp -s single.png "whole/$(frame_name "$k")" || differing+=" $k"
done
[ -z "$differing" ] && pass "every frame equals velmora-frame at its instant" ||
  fail "frames that differ from velmora-frame:$differing"

# Split captures: two spans, one of them across the jump between the halves, equal the whole.
"$capture" "${small[@]}" --to 1 first/ 2>/dev/null && "$capture" "${small[@]}" --from 1 --to 2 second/ 2>/dev/null
"$capture" "${small[@]}" --from 133 --to 137 jump/ 2>/dev/null && "$capture" "${small[@]}" --from 133 --to 135.5 \
  jump_a/ 2>/dev/null && "$capture" "${small[@]}" --from 135.5 --to 137 jump_b/ 2>/dev/null
joined=$( (cd first && md5sum -- *; cd ../second && md5sum -- *) | sort)
[ "$(ls first second | grep -c png)" -eq 20 ] && [ "$joined" = "$(cd whole && md5sum -- * | sort)" ] &&
  pass "two PNG chunks equal the whole" || fail "two PNG chunks differ from the whole"
joined=$( (cd jump_a && md5sum -- *; cd ../jump_b && md5sum -- *) | sort)
[ "$(ls jump | wc -l)" -eq 40 ] && [ "$joined" = "$(cd jump && md5sum -- * | sort)" ] &&
  pass "chunks across the jump between the halves equal the whole" || fail "chunks across the jump differ"

# Supersampling renders larger and gives a picture of the size asked for.
"$capture" "${small[@]}" --samples ssaa2 --from 10 --to 10.1 ssaa/ 2>/dev/null
picture="ssaa/$(frame_name 101)"
[ "$(probe "$picture" v width)x$(probe "$picture" v height)" = 160x90 ] &&
  pass "ssaa2 writes pictures of the output size" || fail "ssaa2: $(ls ssaa)"

# Two seconds to MP4: 20 frames of 160 x 90 in yuv420p and two seconds of sound.
"$capture" "${small[@]}" --to 2 two.mp4 2>capture.log || fail "MP4 capture failed: $(cat capture.log)"
[ "$(probe two.mp4 v nb_read_frames)" = 20 ] && [ "$(probe two.mp4 v width)x$(probe two.mp4 v height)" = 160x90 ] &&
  [ "$(probe two.mp4 v pix_fmt)" = yuv420p ] && pass "the MP4 holds 20 frames of 160x90 in yuv420p" ||
  fail "MP4 video: $(ffprobe -v error -count_frames -show_streams two.mp4 | grep -E 'width|height|nb_read|pix_fmt')"
audio=$(probe two.mp4 a duration)
awk -v d="$audio" 'BEGIN { exit !(d > 1.97 && d < 2.03) }' && pass "its sound lasts two seconds" ||
  fail "MP4 sound lasts '$audio' s"

# The parallel script with two chunks, lossless, equals a lossless capture in one go, sound included.
"$capture" "${small[@]}" --to 2 --crf 0 lossless.mp4 2>/dev/null
VELMORA_CAPTURE=$capture "$repository/scripts/capture-parallel.sh" --chunks 2 "${small[@]}" --to 2 --crf 0 parallel.mp4 >/dev/null 2>&1 ||
  fail "capture-parallel.sh failed"
[ "$(picture_hashes parallel.mp4 | wc -l)" -eq 20 ] &&
  [ "$(picture_hashes parallel.mp4)" = "$(picture_hashes lossless.mp4)" ] &&
  pass "two chunks joined by capture-parallel.sh equal the whole, frame by frame" ||
  fail "the joined chunks differ from the whole"
audio=$(probe parallel.mp4 a duration)
awk -v d="$audio" 'BEGIN { exit !(d > 1.97 && d < 2.03) }' && pass "the joined video has two seconds of sound" ||
  fail "joined sound lasts '$audio' s"

# EGL devices: the list, and Mesa's software device, drawing through the device platform, gives the very
# frames of the surfaceless platform.
"$capture" --gpu list >gpus.txt 2>&1 && grep -q "^0  .*llvmpipe" gpus.txt && pass "--gpu list: $(head -n1 gpus.txt)" ||
  fail "--gpu list: $(cat gpus.txt)"
"$capture" "${small[@]}" --gpu 0 --to 2 device/ 2>device.log
identical=$( (cd device && md5sum -- *) | sort)
grep -q "drawing on EGL device 0" device.log && [ "$(ls device | wc -l)" -eq 20 ] &&
  [ "$identical" = "$(cd whole && md5sum -- * | sort)" ] &&
  pass "EGL device 0 draws the frames of the surfaceless platform" || fail "--gpu 0: $(head -n2 device.log)"

# The renderers: the compatibility profile, the batched renderer on OpenGL 3.3 core and on OpenGL ES 3.0 draw
# the same picture up to where thin lines land and the 8-bit vertex colours (PSNR above 35 dB); the browser's
# way of feeding ES 3.0 (no buffer maps) draws exactly the ES picture.
for renderer in compat batched batched-es batched-webgl; do
  "$tools/velmora-frame" --time 75 --size 320x180 --renderer "$renderer" "renderer_$renderer.png" 2>renderer.log ||
    fail "velmora-frame --renderer $renderer: $(cat renderer.log)"
done
grep -q "batched (OpenGL ES 3.0 as WebGL 2)" renderer.log || fail "--renderer batched-webgl drew with: $(cat renderer.log)"
cmp -s renderer_batched-es.png renderer_batched-webgl.png && pass "--renderer batched-webgl draws the ES picture" ||
  fail "--renderer batched-webgl differs from batched-es"
for renderer in batched batched-es; do
  psnr=$(ffmpeg -v error -i renderer_compat.png -i "renderer_$renderer.png" -lavfi psnr=stats_file=- -f null - |
    sed -n 's/.*psnr_avg:\([0-9.inf]*\).*/\1/p')
  [[ "$psnr" == inf ]] || awk -v p="$psnr" 'BEGIN { exit !(p > 35) }' &&
    pass "--renderer $renderer against compat: PSNR $psnr dB" || fail "--renderer $renderer: PSNR '$psnr'"
done

# Each codec at 160 x 90: its stream, pixels and frame count; FFV1 decodes to exactly the PNGs.
codec_case() {
  local codec=$1 file=$2 expected=$3
  "$capture" "${small[@]}" --to 2 --codec "$codec" "$file" 2>codec.log
  local found
  found="$(probe "$file" v codec_name),$(probe "$file" v profile),$(probe "$file" v nb_read_frames)"
  [[ "$found" == $expected ]] && pass "--codec $codec: $found in $file" || fail "--codec $codec: $found ($(cat codec.log))"
}
codec_case h264 codec.mp4 "h264,High,20"
codec_case hevc codec_hevc.mp4 "hevc,Main,20"
codec_case av1 codec.mkv "av1,Main,20"
codec_case prores codec.mov "prores,4444,20"
codec_case ffv1 lossless.mkv "ffv1,*,20"
png_hashes() { ffmpeg -v error -framerate 10 -start_number 1 -i "$1/velmora_%06d.png" -pix_fmt rgb24 -f framemd5 - |
  grep -v '^#' | awk -F, '{ print $6 }'; }
rgb_hashes() { ffmpeg -v error -i "$1" -map 0:v -pix_fmt rgb24 -f framemd5 - | grep -v '^#' | awk -F, '{ print $6 }'; }
[ "$(rgb_hashes lossless.mkv)" = "$(png_hashes whole)" ] && pass "FFV1 decodes to exactly the PNG frames" ||
  fail "FFV1 frames differ from the PNGs"
VELMORA_CAPTURE=$capture "$repository/scripts/capture-parallel.sh" --gpus 1 --chunks 2 "${small[@]}" --to 2 \
  --codec ffv1 gpus.mkv >/dev/null 2>&1 && [ "$(rgb_hashes gpus.mkv)" = "$(png_hashes whole)" ] &&
  pass "capture-parallel.sh --gpus 1: two chunks on GPU 0 equal the whole" || fail "capture-parallel.sh --gpus 1"

# Bad command lines and outputs: one line on stderr, nothing on stdout, exit code 2, nothing written; a bad
# command line is named with a pointer to the program's --help.
touch plain_file
check_refused() {
  local what=$1; shift
  "$@" >refused.out 2>refused.log
  local code=$?
  if [ "$code" -eq 2 ] && [ "$(wc -l <refused.log)" -eq 1 ] && [ ! -s refused.out ] && [ ! -e out.mp4 ] &&
    [ ! -e out_dir ] && [ ! -e out.png ]; then
    pass "refused: $what ($(cat refused.log))"
  else
    fail "$what: exit code $code, stderr: $(cat refused.log)"
    return 1
  fi
}
check_usage() {
  check_refused "$@" && { grep -q "(see ${2##*/} --help)\$" refused.log || fail "$1: no pointer to --help"; }
}
check_usage "unknown option" "$capture" --speed 2 out.mp4
check_usage "size 0" "$capture" --size 0x720 out.mp4
check_usage "size over the limit" "$capture" --size 7682x4320 out.mp4
check_usage "size that is no size" "$capture" --size big out.mp4
check_usage "fps 0" "$capture" --fps 0 out.mp4
check_usage "fps 241" "$capture" --fps=241 out.mp4
check_usage "from after to" "$capture" --from 10 --to 5 out_dir/
check_usage "from equal to to" "$capture" --from 5 --to 5 out_dir/
check_usage "to past the show's end" "$capture" --to 300 out_dir/
check_usage "unknown sampling" "$capture" --samples 8 out.mp4
check_usage "odd size for an MP4" "$capture" --size 161x90 out.mp4
check_usage "no output" "$capture" --fps 10
check_usage "output neither MP4 nor directory" "$capture" out.avi
check_usage "a GPU that is no number" "$capture" --gpu first out.mp4
check_usage "a codec that is not offered" "$capture" --codec vp9 out.mkv
check_usage "an option abbreviated ambiguously" "$capture" --f 10 out.mp4
check_refused "output in a missing directory" "$capture" missing/out.mp4
check_refused "output under a plain file" "$capture" plain_file/out_dir/
check_refused "output under a plain file (MP4)" "$capture" plain_file/out.mp4
check_refused "supersampled beyond what OpenGL draws" "$capture" --size 7680x4320 --samples ssaa4 out_dir/
check_refused "ffmpeg missing" env PATH="$scratch/no-such-dir" "$capture" out.mp4
check_refused "a GPU that is not there" "$capture" --gpu 7 out.mp4
check_refused "ProRes in an MP4" "$capture" --codec prores out.mp4
check_refused "FFV1 in a MOV" "$capture" --codec ffv1 out.mov
check_refused "a quality for lossless FFV1" "$capture" --codec ffv1 --crf 0 out.mkv
check_refused "an encoder ffmpeg does not have" "$capture" --encoder no_such_encoder out.mp4
check_refused "an encoder of another codec" "$capture" --codec hevc --encoder libx264 out.mp4
frame=$tools/velmora-frame
check_usage "velmora-frame without --time" "$frame" out.png
check_usage "velmora-frame without an output" "$frame" --time 75
check_usage "velmora-frame with two outputs" "$frame" --time 75 out.png other.png
check_usage "velmora-frame past the show's end" "$frame" --time 236.9 out.png
check_usage "velmora-frame at a time that is no number" "$frame" --time=soon out.png
check_usage "velmora-frame at size 0" "$frame" --time 75 --size 0x5 out.png
check_usage "velmora-frame over the size limit" "$frame" out.png --time 75 --size 7681x10
check_usage "velmora-frame with a step of 0" "$frame" --time 75 --step 0 out.png
check_usage "velmora-frame with an unknown renderer" "$frame" --time 75 --renderer fast out.png
check_usage "velmora-frame with an unknown option" "$frame" --time 75 --speed 2 out.png
check_usage "velmora-frame with --time and no value" "$frame" out.png --time
rm -rf out_dir

# Ctrl-C: the capture stops after the frame in hand and keeps a playable video of what it did under the
# partial name, which its last line names; nothing is under the output's name.
"$capture" "${small[@]}" --to 120 interrupted.mp4 2>interrupt.log &
pid=$!
for _ in $(seq 600); do grep -q "frame 1 of" interrupt.log && break; sleep 0.1; done
kill -INT "$pid"
wait "$pid"
code=$?
frames=$(probe .interrupted.partial.mp4 v nb_read_frames)
[ "$code" -eq 130 ] && [ ! -e interrupted.mp4 ] && [ "${frames:-0}" -gt 0 ] && [ "$frames" -lt 1200 ] &&
  tail -n1 interrupt.log | grep -q "/.interrupted.partial.mp4 holds them" &&
  pass "interrupted: exit code 130, a playable partial video of $frames frames, nothing under the output's name" ||
  fail "interrupted: exit code $code, frames '$frames', stderr: $(tail -n2 interrupt.log)"

# Killed outright while writing: still nothing under the output's name.
"$capture" "${small[@]}" --to 120 killed.mp4 2>/dev/null &
pid=$!
for _ in $(seq 600); do [ -s .killed.partial.mp4 ] && break; sleep 0.1; done
kill -KILL "$pid"
wait "$pid" 2>/dev/null
[ -s .killed.partial.mp4 ] && [ ! -e killed.mp4 ] && pass "killed while writing: no file under the output's name" ||
  fail "killed while writing: $(ls -a | grep killed)"

# A full disk (here a file size limit, which makes writes fail the same way) during an MP4 capture: exit code
# 1 and one line naming the partial file, which keeps the part written; nothing under the output's name.
(ulimit -f 16; trap '' XFSZ; "$capture" --size 320x180 --fps 10 --from 60 --to 100 full.mp4 2>full.log)
code=$?
[ "$code" -eq 1 ] && [ -s .full.partial.mp4 ] && [ ! -e full.mp4 ] &&
  [ "$(grep -cv '^velmora-capture: \|^frame ' full.log)" -eq 0 ] &&
  tail -n1 full.log | grep -q "/.full.partial.mp4: .*File too large; the part written so far is kept there" &&
  pass "a full disk during an MP4 capture: exit code 1, $(tail -n1 full.log)" ||
  fail "full disk (MP4): exit code $code, stderr: $(cat full.log)"
# A full disk during a PNG capture: the first frame's file is /dev/full.
mkdir full
ln -s /dev/full full/.velmora_000601.partial.png
"$capture" --size 640x360 --fps 10 --from 60 --to 62 full/ 2>full.log
code=$?
[ "$code" -eq 1 ] && [ -z "$(ls full)" ] &&
  tail -n1 full.log | grep -q "cannot write $scratch/full/velmora_000601.png: No space left on device" &&
  pass "a full disk during a PNG capture: exit code 1, $(tail -n1 full.log)" ||
  fail "full disk (PNG): exit code $code, stderr: $(cat full.log)"

# capture-parallel.sh killed (SIGKILL, every process of its session) while a chunk is being written after two
# have finished (or, on a slow poll, once three have), then the same command again: it renders only the
# missing chunks, and the result equals a capture in one go.
# FFV1 writes each frame as it comes, so a chunk's partial file is there while it is being written, and at 60
# fps that takes long enough for the kill to land in it.
span=(--size 160x90 --fps 60 --to 2 --codec ffv1)
"$capture" "${span[@]}" whole60.mkv 2>/dev/null
resume=("$repository/scripts/capture-parallel.sh" --gpus 1 --chunks 4 "${span[@]}" resumed.mkv)
VELMORA_CAPTURE=$capture setsid "${resume[@]}" >/dev/null 2>&1 &
session=$!
for _ in $(seq 1500); do
  finished=$(ls resumed.mkv.chunks-*/frames_* 2>/dev/null | wc -l)
  [ "$finished" -ge 3 ] || { [ "$finished" -ge 2 ] && ls resumed.mkv.chunks-*/.frames_* &>/dev/null; } && break
  sleep 0.02
done
{ kill_session "$session"; wait "$session"; } 2>/dev/null  # bash's word of the kill is not wanted
finished=$(ls resumed.mkv.chunks-*/frames_* 2>/dev/null | wc -l)
partial=$(ls resumed.mkv.chunks-*/.frames_* 2>/dev/null | wc -l)
VELMORA_CAPTURE=$capture "${resume[@]}" >/dev/null 2>resume.log || fail "capture-parallel.sh again: $(cat resume.log)"
grep -q "rendering $((4 - finished)) of 4 chunks" resume.log && [ "$finished" -gt 0 ] && [ "$finished" -lt 4 ] &&
  ! compgen -G 'resumed.mkv.chunks-*' >/dev/null && [ "$(rgb_hashes resumed.mkv)" = "$(rgb_hashes whole60.mkv)" ] &&
  pass "capture-parallel.sh killed after $finished of 4 chunks ($partial partial), run again: renders" \
    "$((4 - finished)), equals the whole" ||
  fail "capture-parallel.sh resumed after $finished chunks: $(head -n1 resume.log), $(ls -d resumed*)"

# Without the music the video is silent and says so.
rm -r music
"$capture" "${small[@]}" --to 1 silent.mp4 2>silent.log
[ -z "$(probe silent.mp4 a codec_type)" ] && grep -q "video is silent" silent.log &&
  pass "without the music: a silent video and a warning" || fail "without the music: $(cat silent.log)"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
