#!/usr/bin/env bash
# Makes the small test clips with ffmpeg into DIR (a few seconds, small frames).
# Usage: make_media.sh DIR [MARKER]   (MARKER: the file touched at the end, default .complete)
set -euo pipefail
dir=$1
mkdir -p "$dir"
cd "$dir"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
src_v=(-f lavfi -i "testsrc=size=320x240:rate=25")
src_a=(-f lavfi -i "sine=frequency=440:sample_rate=44100")

# AVI with MPEG-4 Part 2 video and MP3 audio. Without -avoid_negative_ts disabled,
# ffmpeg writes zero-size video chunks that the encoder turns into a still picture.
ff "${src_v[@]}" "${src_a[@]}" -t 3 -c:v mpeg4 -b:v 400k -c:a libmp3lame -b:a 128k -ac 2 \
   -avoid_negative_ts disabled clip_xvid_mp3.avi
# MP4 with H.264 and AAC.
ff "${src_v[@]}" "${src_a[@]}" -t 3 -c:v libx264 -preset ultrafast -pix_fmt yuv420p \
   -c:a aac -b:a 96k -ac 2 clip_h264_aac.mp4
# MKV with one video and two audio streams of different codecs and languages.
ff "${src_v[@]}" "${src_a[@]}" -f lavfi -i "sine=frequency=880:sample_rate=48000" -t 3 \
   -map 0:v -map 1:a -map 2:a -c:v libx264 -preset ultrafast -pix_fmt yuv420p \
   -c:a:0 libmp3lame -b:a:0 128k -c:a:1 ac3 -b:a:1 192k \
   -metadata:s:a:0 language=eng -metadata:s:a:1 language=ger clip_two_audio.mkv
# Interlaced MPEG-2 in a transport stream.
ff -f lavfi -i "testsrc=size=352x288:rate=25" "${src_a[@]}" -t 3 -c:v mpeg2video -b:v 1500k \
   -flags +ildct+ilme -top 1 -c:a mp2 -b:a 128k clip_interlaced.ts
# Video only.
ff "${src_v[@]}" -t 2 -c:v libx264 -preset ultrafast -pix_fmt yuv420p clip_video_only.mp4
# A zero-byte file and a file of random bytes, both with media extensions.
: > empty.avi
head -c 65536 /dev/urandom > junk.avi
# A name with blanks, quotes and non-ASCII letters.
cp clip_h264_aac.mp4 "clip with blanks 'single' \"double\" ü é.mp4"
# Forty seconds of AVI, long enough to abort a real encoder run halfway.
ff "${src_v[@]}" "${src_a[@]}" -t 40 -c:v mpeg4 -b:v 300k -c:a libmp3lame -b:a 96k -ac 2 \
   -avoid_negative_ts disabled clip_runner_40s.avi
# MPEG-4 AVI with MP3 audio and a two-second gap in its video timestamps: the encoder's
# own AVI demuxer turns it into one still picture.
ff -f lavfi -i testsrc=size=160x120:rate=25:duration=4 -f lavfi -i sine=frequency=440:duration=6 \
   -vf "setpts='if(gte(N,25),PTS+2/TB,PTS)'" -fps_mode passthrough -c:v mpeg4 -c:a libmp3lame -shortest gap.avi
touch "${2:-.complete}"
