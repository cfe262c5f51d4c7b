#!/usr/bin/env bash
# Draws the music's pictures for the docs from an MP3: the spectrogram of the whole piece
# (music_frequencies.png) and a 20-second excerpt around 40 s, in the first groove, as a waveform over its
# spectrogram (music_excerpt_30_50.png). Needs sox and ffmpeg.
#   tools/music/draw_music_pictures.sh MUSIC.mp3 OUT_DIR
set -euo pipefail
music=$1 out=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ffmpeg -v error -i "$music" -c:a pcm_s16le "$scratch/piece.wav"
sox "$scratch/piece.wav" -n spectrogram -x 1200 -y 129 -t "Slow Orbit" -o "$out/music_frequencies.png"
sox "$scratch/piece.wav" "$scratch/excerpt.wav" trim 30 20
sox "$scratch/excerpt.wav" -n remix - spectrogram -x 1200 -y 257 -t "Slow Orbit, 30-50 s" \
  -o "$scratch/excerpt_spectrogram.png"
ffmpeg -v error -i "$scratch/excerpt.wav" -f lavfi -i color=black:s=1200x160 -filter_complex \
  "[0]aformat=channel_layouts=mono,showwavespic=s=1200x160:colors=0xffb040:scale=lin[wave];[1][wave]overlay" \
  -frames:v 1 "$scratch/excerpt_wave.png"
# The waveform sits over the spectrogram's plot (which starts 58 px from the left), on the same time axis.
width=$(ffprobe -v error -show_entries stream=width -of csv=p=0 "$scratch/excerpt_spectrogram.png")
ffmpeg -v error -i "$scratch/excerpt_wave.png" -i "$scratch/excerpt_spectrogram.png" -filter_complex \
  "[0]pad=$width:ih:58:0:black[wave];[wave][1]vstack" -frames:v 1 -y "$out/music_excerpt_30_50.png"
