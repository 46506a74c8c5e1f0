#!/usr/bin/env bash
# Real-footage traits (made here with ffmpeg: anamorphic PAL, a turned phone clip, an odd
# size, variable rates with and without sound, late and early sound, a nearly still scene
# of empty chunks, uneven Ogg timing, a plain clip, two longer clips and the traits of make_traits.sh)
# converted with the default settings by
# `vexaconv --convert --jobs 2`, against the very encoder commands the program would run
# (its own .sh per file) run two at a time by GNU parallel. Prints both wall times, their
# ratio (program / parallel: the price of the checks, the analyses and any second run),
# each row's status, and the load average.
# Usage: bench/real_footage.sh [ROUNDS]   (default 2)
#   VEXACONV=path uses that executable; otherwise BUILD_DIR (default build/bench) is built.
#   CLIP_SECONDS (default 30) sets the clips' length: the program's own work (starting,
#   analysing, checking the last output) is fixed per file, so short clips show it larger.
#   LONG_SECONDS (default 150) sets the length of the two longer clips.
#   CLIPS_DIR keeps the clips there and reuses them on the next run (same CLIP_SECONDS).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-2}
t=${CLIP_SECONDS:-30}
h=$((t / 2))

if [[ -z ${VEXACONV:-} ]]; then
  build=${BUILD_DIR:-$root/build/bench}
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --target vexaconv -j2 >/dev/null
  VEXACONV=$build/bin/vexaconv
fi
command -v parallel >/dev/null || { echo "GNU parallel is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/tmp"
export TMPDIR=$work/tmp
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
c=${CLIPS_DIR:-$work/clips}
mkdir -p "$c"
if [[ ! -s $c/plain.avi ]]; then
v=(-f lavfi -i "testsrc=size=640x360:rate=25")
a=(-f lavfi -i "sine=frequency=440:sample_rate=44100")
ff -f lavfi -i "testsrc=size=720x576:rate=25" "${a[@]}" -t "$t" -vf setsar=64/45 -c:v mpeg2video -b:v 3000k -c:a mp2 "$c/pal_wide.mpg"
ff "${v[@]}" "${a[@]}" -t "$t" -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac "$work/upright.mp4"
ffmpeg_help=$(ffmpeg -hide_banner -h full 2>/dev/null || true)
if grep -q -- '-display_rotation' <<< "$ffmpeg_help"; then
  ff -display_rotation:v:0 90 -i "$work/upright.mp4" -c copy "$c/turned.mp4"
else
  ff -i "$work/upright.mp4" -c copy -metadata:s:v:0 rotate=90 "$c/turned.mp4"
fi
ff -f lavfi -i "testsrc=size=1280x720:rate=25" "${a[@]}" -t "$t" -vf scale=720:405 -c:v mpeg2video -b:v 3000k -c:a mp2 "$c/odd_size.mpg"
ff -f lavfi -i "testsrc=size=640x360:rate=25:duration=$h" -f lavfi -i "testsrc=size=640x360:rate=10:duration=$h" "${a[@]}" \
   -filter_complex "[0:v][1:v]concat=n=2:v=1[v]" -map "[v]" -map 2:a -t "$t" -fps_mode passthrough \
   -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac "$c/variable.mp4"
ff -i "$c/variable.mp4" -map 0:v -c copy "$c/variable_silent.mkv"
ff "${v[@]}" -itsoffset 2 "${a[@]}" -t "$t" -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac "$c/late_sound.mp4"
ff "${v[@]}" -t "$((t - 2))" -c:v libx264 -preset ultrafast -pix_fmt yuv420p "$work/v.mp4"
ff "${a[@]}" -t "$t" -c:a aac "$work/a.m4a"
ff -itsoffset 2 -i "$work/v.mp4" -i "$work/a.m4a" -map 0:v -map 1:a -c copy "$c/early_sound.mkv"
ff -f lavfi -i "color=c=0x336633:s=640x360:r=25:d=$t" -f lavfi -i "color=c=white:s=16x16:r=25:d=$t" "${a[@]}" \
   -filter_complex "[0][1]overlay=x='300+40*sin(t*2)':y=150,mpdecimate=hi=64*12:lo=64*5:frac=0.1[v]" \
   -map "[v]" -map 2:a -t "$t" -fps_mode passthrough -c:v cinepak -c:a pcm_s16le "$c/nearly_still.avi"
ff "${v[@]}" -t "$t" -vf "setpts='if(gte(N,$((t * 12))),PTS+(N-$((t * 12)))*3/TB/25,PTS)'" -fps_mode passthrough -c:v libtheora -q:v 6 "$c/uneven.ogv"
ff "${v[@]}" "${a[@]}" -t "$t" -c:v mpeg4 -b:v 1500k -c:a libmp3lame -avoid_negative_ts disabled "$c/plain.avi"
# longer clips, as a camera's day holds them: the program's own cost per file matters less there
L=${LONG_SECONDS:-150}
ff -f lavfi -i "testsrc2=size=1280x720:rate=25" "${a[@]}" -t "$L" -c:v libx264 -preset veryfast -g 50 -pix_fmt yuv420p \
   -c:a ac3 -b:a 192k -f mpegts "$c/long_camcorder.mts"
ff -f lavfi -i "testsrc2=size=640x480:rate=25" "${a[@]}" -t "$L" -c:v mpeg4 -b:v 2000k -c:a libmp3lame "$c/long_ffmpeg.avi"
# the traits families hold: ffmpeg's AVIs, camcorder MPEG-TS, a phone's variable rate,
# 96 kHz PCM, interlaced H.264, NTSC; the trimmed and late-picture ones end with a reason
TRAIT_SECONDS=$t bash "$root/tests/support/make_traits.sh" "$work/traits"
for f in "$work"/traits/*.*; do cp "$f" "$c/trait_$(basename "$f")"; done
fi
clips=("$c"/*)

now() { date +%s%N; }
run() { # -> wall nanoseconds in $wall, the status lines in $work/status
  local t0
  rm -rf "$work/out"
  t0=$(now)
  "$VEXACONV" --home "$work/home" --convert --jobs 2 --out-dir "$work/out" "${clips[@]}" >"$work/status" 2>/dev/null || true
  wall=$(($(now) - t0))
}
# The reference: the program's own encoder commands, one script per file, by GNU parallel.
for i in "${!clips[@]}"; do
  "$VEXACONV" --home "$work/home" --script "$work/direct$i.sh" --out-dir "$work/outref" "${clips[i]}" >/dev/null 2>&1
done
reference() {
  local t0
  rm -rf "$work/outref"
  mkdir "$work/outref"
  t0=$(now)
  parallel -j2 bash ::: "$work"/direct*.sh >/dev/null 2>&1 || true
  wall=$(($(now) - t0))
}
program=0 ref=0
for ((r = 1; r <= rounds; r++)); do
  if ((r % 2)); then run; program=$((program + wall)); reference; ref=$((ref + wall))
  else reference; ref=$((ref + wall)); run; program=$((program + wall)); fi
done
echo "files: ${#clips[@]} of ${t} s, rounds: $rounds, cores: $(nproc)"
awk -v p="$program" -v q="$ref" -v n="$rounds" 'BEGIN {
  printf "vexaconv --convert --jobs 2: %.2f s per batch\n", p / n / 1e9
  printf "the same encoder commands by GNU parallel -j2: %.2f s per batch\n", q / n / 1e9
  printf "ratio (program / parallel): %.3f (target at most 1.03)\n", p / q
}'
echo "rows:"
cut -f1,2,4 "$work/status" | sed "s|$c/||" | awk -F'\t' '{ printf "  %-14s %s%s\n", $1, $2, ($3 == "" ? "" : "  (" $3 ")") }'
echo "load average (1, 5, 15 min): $(cut -d" " -f1-3 /proc/loadavg)"
