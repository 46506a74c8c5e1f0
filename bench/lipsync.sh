#!/usr/bin/env bash
# Lip sync of the program's outputs, by engine and container: a clip whose picture flashes
# white and whose sound beeps at the same moments (1 s and 2.5 s), in a few source traits
# (plain, sound starting 0.5 s late, picture starting 0.5 s late, 29.97 fps), converted
# with `vexaconv --convert --set Encoder=E --set OutputFormat=C`. Prints per output the
# sound's onset minus the picture's flash as players see them (presentation times: the
# picture by its decoded frames' times and brightness, the sound by silencedetect), in ms,
# for the source and the output; the output's figure should match the source's within 20 ms.
# Usage: bench/lipsync.sh   (VEXACONV=path, else BUILD_DIR (default build/bench) is built)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/build_vexaconv.sh
source "$root/bench/build_vexaconv.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
flash="drawbox=enable='between(t,1,1.039)+between(t,2.5,2.539)':c=white:t=fill"
beep="volume=enable='not(between(t,1,1.1)+between(t,2.5,2.6))':volume=0"
make() { # NAME RATE VIDEO_OFFSET AUDIO_OFFSET
  ff -itsoffset "$3" -f lavfi -i "color=black:s=320x240:r=$2:d=4,$flash" -itsoffset "$4" -f lavfi -i "sine=f=1000:d=4,$beep" \
     -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac "$work/$1.mp4"
}
make plain 25 0 0
make late_sound 25 0 0.5
make late_picture 25 0.5 0
make ntsc 30000/1001 0 0
# onset of the sound minus the first white picture, both as presentation times, in ms
measure() {
  local v a
  v=$(ffprobe -v error -f lavfi -i "movie=$(printf '%s' "$1" | sed 's/[:\\]/\\&/g'),signalstats" \
        -show_entries frame=pts_time:frame_tags=lavfi.signalstats.YAVG -of csv=p=0 2>/dev/null |
      awk -F, '$2 > 100 { print $1; exit }')
  a=$(ffmpeg -nostdin -hide_banner -i "$1" -map 0:a:0 -af silencedetect=n=-30dB:d=0.05 -f null - 2>&1 |
      awk '/silence_end/ { print $5; exit }')
  if [[ -z $v || -z $a ]]; then echo "?"; return; fi
  awk -v a="$a" -v v="$v" 'BEGIN { printf "%+.0f", (a - v) * 1000 }'
}
printf '%-14s %-9s %-5s %8s %8s %8s\n' source engine kind source output diff
for src in plain late_sound late_picture ntsc; do
  s=$(measure "$work/$src.mp4")
  for engine in MEncoder FFmpeg; do
    for kind in AVI MP4 MKV; do
      out=$work/out_${engine}_$kind
      mkdir -p "$out"
      status=$(HOME=$work "$VEXACONV" --home "$work/home" --convert --set "Encoder=$engine" --set "OutputFormat=$kind" \
                 --out-dir "$out" "$work/$src.mp4" 2>/dev/null | cut -f1 || true)
      f=$(ls "$out"/"$src".* 2>/dev/null | head -1 || true)
      if [[ -z $f ]]; then
        printf '%-14s %-9s %-5s %8s %8s %8s  %s\n' "$src" "$engine" "$kind" "$s" - - "${status:-none}"
        continue
      fi
      o=$(measure "$f")
      d=$([[ $o == "?" || $s == "?" ]] && echo "?" || echo $((o - s)))
      printf '%-14s %-9s %-5s %8s %8s %8s  %s\n' "$src" "$engine" "$kind" "$s" "$o" "$d" "$status"
      rm -f "$f"
    done
  done
done
