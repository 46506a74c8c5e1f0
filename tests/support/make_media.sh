#!/usr/bin/env bash
# Makes the small test clips with ffmpeg into DIR (a few seconds, small frames).
# Usage: make_media.sh DIR [MARKER]   (MARKER: the file touched at the end, default .complete)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
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
# A zero-byte file and a file of noise, both with media extensions. The noise comes from a
# fixed seed and holds no 0xFF byte: bytes from /dev/urandom now and then carry an ADTS or
# MP3 frame sync that MediaInfo takes for audio, and the file is junk no longer.
: > empty.avi
ff -f lavfi -i "anoisesrc=d=2:c=white:seed=7:r=48000" -f u8 -ac 1 noise.raw
tr -d '\377' < noise.raw > junk.avi && rm noise.raw && truncate -s 65536 junk.avi
# A name with blanks, quotes and non-ASCII letters.
cp clip_h264_aac.mp4 "clip with blanks 'single' \"double\" ü é.mp4"
# Forty seconds of AVI, long enough to abort a real encoder run halfway.
ff "${src_v[@]}" "${src_a[@]}" -t 40 -c:v mpeg4 -b:v 300k -c:a libmp3lame -b:a 96k -ac 2 \
   -avoid_negative_ts disabled clip_runner_40s.avi
# MPEG-4 AVI with MP3 audio and a two-second gap in its video timestamps: the encoder's
# own AVI demuxer turns it into one still picture.
ff -f lavfi -i testsrc=size=160x120:rate=25:duration=4 -f lavfi -i sine=frequency=440:duration=6 \
   -vf "setpts='if(gte(N,25),PTS+2/TB,PTS)'" -fps_mode passthrough -c:v mpeg4 -c:a libmp3lame -shortest gap.avi
# For the second prober: traits real footage has.
# Anamorphic PAL MPEG-2 (720x576 shown 16:9) with MPEG audio.
ff -f lavfi -i "testsrc=size=720x576:rate=25" "${src_a[@]}" -t 2 -vf setsar=64/45 -c:v mpeg2video -b:v 1500k \
   -c:a mp2 -b:a 128k probe_pal_wide.mpg
# A phone-style clip turned by its display matrix (ffmpeg writes rotate=90 as 90° counterclockwise).
ff "${src_v[@]}" "${src_a[@]}" -t 3 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 96k probe_upright.mp4
# ffmpeg 6 and later take the turn as -display_rotation (degrees counterclockwise) and
# ignore rotate metadata; 5.1 knows only the metadata.
ffmpeg_help=$(ffmpeg -hide_banner -h full 2>/dev/null || true)
if grep -q -- '-display_rotation' <<< "$ffmpeg_help"; then
  ff -display_rotation:v:0 90 -i probe_upright.mp4 -c copy probe_rotated.mp4
else
  ff -i probe_upright.mp4 -c copy -metadata:s:v:0 rotate=90 probe_rotated.mp4
fi
rm probe_upright.mp4
# An odd picture height.
ff -f lavfi -i "testsrc=size=720x576:rate=25" -t 2 -vf scale=720:405 -c:v mpeg2video probe_odd_size.mpg
# Variable rate: 2 s at 25 fps, then 2 s at 10 fps, with sound; and its silent Matroska copy.
ff -f lavfi -i "testsrc=size=320x240:rate=25:duration=2" -f lavfi -i "testsrc=size=320x240:rate=10:duration=2" \
   -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=4" \
   -filter_complex "[0:v][1:v]concat=n=2:v=1:a=0[v]" -map "[v]" -map 2:a -fps_mode passthrough \
   -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 96k probe_vfr.mp4
ff -i probe_vfr.mp4 -map 0:v -c copy probe_vfr.mkv
# Sound starting 2 s after the picture.
ff -f lavfi -i "testsrc=size=320x240:rate=25:duration=3" -itsoffset 2 -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=3" \
   -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 96k probe_late_audio.mp4
# Plain 25 fps, moving; the same picture held still; 29.97 fps in Matroska's millisecond ticks.
ff -f lavfi -i "testsrc=size=160x120:rate=25" -t 2 -c:v libx264 -preset ultrafast -pix_fmt yuv420p probe_plain.mp4
ff -f lavfi -i "testsrc=size=160x120:rate=25" -t 2 -vf "loop=loop=-1:size=1:start=0" \
   -c:v libx264 -preset ultrafast -pix_fmt yuv420p probe_still.mp4
ff -f lavfi -i "testsrc=size=160x120:rate=30000/1001" -t 2 -c:v libx264 -preset ultrafast -pix_fmt yuv420p probe_ntsc.mkv
# Sound starting 1.5 s before the picture (a picture stream shifted in a copy).
ff -f lavfi -i "testsrc=size=320x240:rate=25:duration=3" -c:v libx264 -preset ultrafast -pix_fmt yuv420p early_v.mp4
ff -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=4.5" -c:a aac -b:a 96k early_a.m4a
ff -itsoffset 1.5 -i early_v.mp4 -i early_a.m4a -map 0:v -map 1:a -c copy probe_early_audio.mkv
rm early_v.mp4 early_a.m4a
# A nearly still scene (a small square swaying on a plain field) whose unchanged pictures
# are left out, stored as empty chunks of an AVI: a scene the encoder reports as full of
# repeated pictures, rightly.
ff -f lavfi -i "color=c=0x336633:s=320x240:r=25:d=6" -f lavfi -i "color=c=white:s=8x8:r=25:d=6" \
   -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=6" \
   -filter_complex "[0][1]overlay=x='100+20*sin(t*2)':y=100,mpdecimate=hi=64*12:lo=64*5:frac=0.1[v]" \
   -map "[v]" -map 2:a -fps_mode passthrough -c:v cinepak -c:a pcm_s16le probe_nearly_still.avi
# Named inputs of the kinds a folder scan adds last: PAL DV and raw YUV4MPEG.
ff -f lavfi -i "testsrc=size=720x576:rate=25" -f lavfi -i "sine=frequency=440:sample_rate=48000" -t 0.4 \
   -c:v dvvideo -pix_fmt yuv420p -c:a pcm_s16le -ac 2 -f dv clip.dv
ff -f lavfi -i "testsrc=size=160x120:rate=25" -t 0.4 -pix_fmt yuv420p clip.y4m
# Sound without a picture, and sound whose only picture is cover art (an MP4 cover, a
# Matroska attachment).
ff "${src_a[@]}" -t 1 -c:a aac -b:a 64k sound_only.mp4
ff -f lavfi -i "color=c=red:s=64x64:d=0.04" -frames:v 1 -c:v mjpeg cover.jpg
ff "${src_a[@]}" -i cover.jpg -t 1 -map 0:a -map 1:v -c:v copy -disposition:v:0 attached_pic -c:a aac -b:a 64k \
   cover_only.mp4
ff "${src_a[@]}" -t 1 -attach cover.jpg -metadata:s:t mimetype=image/jpeg -metadata:s:t filename=cover.jpg \
   -c:a libmp3lame cover_only.mkv
rm cover.jpg
# The traits real collections hold, with beeps to line sound up by.
bash "$here/make_traits.sh" traits
touch "${2:-.complete}"
