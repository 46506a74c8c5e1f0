#!/usr/bin/env bash
# Makes short clips with the traits real collections hold, each with a moving picture and
# a sound of irregular beeps so that an output can be judged by what it shows and plays.
# Usage: make_traits.sh DIR [MARKER]   (MARKER: the file touched at the end, default .complete)
#   TRAIT_SECONDS (default 4) sets their length; the benchmark makes longer ones.
set -euo pipefail
t=${TRAIT_SECONDS:-4}
h=$((t / 2))
dir=$1
mkdir -p "$dir"
cd "$dir"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
# Beeps at moments no rhythm repeats: lip sync shows as an offset of their loudness.
beeps="0.6*sin(2*PI*880*t)*gt(sin(t*31.3)+sin(t*17.1)+sin(t*7.9)\\,1.3)"
pic() { echo "testsrc2=size=${2:-320x240}:rate=$1"; }
snd() { echo "aevalsrc=${beeps}:s=${1:-44100}:c=stereo"; }

# An AVI as ffmpeg writes it (an empty video chunk near the start), at 25 and at 29.97
# fps, the latter with a white picture first.
ff -f lavfi -i "$(pic 25)" -f lavfi -i "$(snd)" -t $t -c:v mpeg4 -q:v 4 -c:a libmp3lame -b:a 128k ffmpeg_25.avi
ff -f lavfi -i "$(pic 30000/1001)" -f lavfi -i "$(snd)" -t $t -vf "drawbox=c=white:t=fill:enable='eq(n,0)'" \
   -c:v mpeg4 -q:v 4 -c:a libmp3lame -b:a 128k ffmpeg_2997_white.avi
# H.264 in MPEG-TS as camcorders and DVB write it; and one whose picture starts 0.5 s late.
ff -f lavfi -i "$(pic 25)" -f lavfi -i "$(snd 48000)" -t $t -c:v libx264 -preset ultrafast -pix_fmt yuv420p \
   -c:a ac3 -b:a 192k camcorder.mts
ff -f lavfi -i "$(pic 25)" -f lavfi -i "$(snd 48000)" -t $t -c:v libx264 -preset ultrafast -pix_fmt yuv420p \
   -c:a mp2 -b:a 192k -output_ts_offset 1 dvb_plain.ts
ff -itsoffset 0.5 -i dvb_plain.ts -i dvb_plain.ts -map 0:v -map 1:a -c copy late_picture_ts.ts
rm dvb_plain.ts
# A phone's variable rate: 30 fps for half the length, then 15 fps.
ff -f lavfi -i "$(pic 30):duration=$h" -f lavfi -i "testsrc2=size=320x240:rate=15:duration=$h" -f lavfi -i "$(snd):d=$t" \
   -filter_complex "[0:v][1:v]concat=n=2:v=1:a=0[v]" -map "[v]" -map 2:a -fps_mode passthrough \
   -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 96k phone_variable.mp4
# The picture starting 0.5 s after the sound, in Matroska.
ff -f lavfi -i "$(pic 25)" -f lavfi -i "$(snd)" -t $t -c:v libx264 -preset ultrafast -pix_fmt yuv420p \
   -c:a aac -b:a 96k plain.mp4
ff -itsoffset 0.5 -i plain.mp4 -i plain.mp4 -map 0:v -map 1:a -c copy late_picture.mkv
# 96 kHz 24-bit PCM sound in QuickTime.
ff -f lavfi -i "$(pic 25)" -f lavfi -i "$(snd 96000)" -t $t -c:v libx264 -preset ultrafast -pix_fmt yuv420p \
   -c:a pcm_s24le pcm96k.mov
# A phone-trimmed MP4: an edit list hides the pictures before the cut.
ff -ss $((h - 1)).3 -i plain.mp4 -c copy trimmed.mp4
# A copy broken off at two thirds: its index, at the front, promises pictures it lacks.
ff -i plain.mp4 -c copy -movflags +faststart whole.mp4
head -c $(($(stat -c %s whole.mp4) * 2 / 3)) whole.mp4 > cut_short.mp4
rm whole.mp4
# Plain NTSC AVI with MP3 sound.
ff -f lavfi -i "$(pic 30000/1001)" -f lavfi -i "$(snd)" -t $t -c:v mpeg4 -q:v 4 -c:a libmp3lame -b:a 128k \
   -avoid_negative_ts disabled ntsc.avi
# Two pictures at 1 fps in a tiny odd size.
ff -f lavfi -i "testsrc2=size=84x33:rate=1" -t 2 -c:v libx264 -preset ultrafast -pix_fmt yuv420p two_pictures.mp4
# Interlaced H.264 (top field first) in Matroska.
ff -f lavfi -i "$(pic 50 720x576)" -f lavfi -i "$(snd 48000)" -t $h -vf "interlace=scan=tff" \
   -c:v libx264 -preset ultrafast -pix_fmt yuv420p -flags +ildct+ilme -x264-params tff=1 -c:a aac interlaced.mkv
# Low rates with sound: an MPEG-1 program stream at 12 pictures a second (as old games'
# cut-scenes have it) and a slide show at one picture a second.
ff -f lavfi -i "$(pic 12)" -f lavfi -i "$(snd)" -t $h -c:v mpeg1video -strict unofficial -q:v 4 -c:a mp2 -b:a 192k \
   -f mpeg scene_12fps.mpg
ff -f lavfi -i "$(pic 1)" -f lavfi -i "$(snd)" -t $h -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac \
   slides_1fps.mp4
# HEVC in MPEG-TS with one keyframe: a seek lands on pictures whose references are missing.
encoders=$(ffmpeg -hide_banner -encoders 2>/dev/null || true)
if grep -q libx265 <<< "$encoders"; then
  ff -f lavfi -i "$(pic 25)" -f lavfi -i "$(snd 48000)" -t $h -c:v libx265 -preset ultrafast -x265-params log-level=error \
     -pix_fmt yuv420p -c:a mp2 -b:a 192k hevc.ts
fi
# Two MPEG-PS files joined end to end: the clock starts again halfway, so the stated
# length is half of what plays.
for part in 0 1; do
  ff -f lavfi -i "$(pic 25 352x288),trim=start=$part,setpts=PTS-STARTPTS" \
     -f lavfi -i "$(snd 48000),atrim=start=$part,asetpts=PTS-STARTPTS" -t 1 \
     -c:v mpeg2video -b:v 1500k -c:a mp2 -b:a 192k -f vob part$part.mpg
done
cat part0.mpg part1.mpg > joined.mpg
rm part0.mpg part1.mpg
# MPEG-2 with a silent sound track.
ff -f lavfi -i "$(pic 25 720x576)" -f lavfi -i "anullsrc=r=48000:cl=stereo" -t $h -c:v mpeg2video -b:v 4000k \
   -c:a mp2 -b:a 192k -f vob silent_mpeg2.mpg
touch "${2:-.complete}"
