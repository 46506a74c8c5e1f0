#!/usr/bin/env bash
# Quality per bit and speed of the "Plays everywhere (MP4, H.264)" target against HandBrakeCLI
# ("Fast 1080p30") and plain ffmpeg (libx264, crf 22), per clip given:
# 1. each at its own settings, run back to back: wall time, size, video bit rate, and the
#    program's time over HandBrake's;
# 2. HandBrake and ffmpeg again at the video bit rate the program's output reached (two passes,
#    average bit rate), so that all three are compared at equal size: SSIM and PSNR of each
#    output's pictures against the source's (both scaled to the output's size, by ffmpeg's
#    ssim and psnr filters; the best of three pairings: by the pictures' times, in order, and
#    in order from the output's second picture, since an output that starts its pictures at
#    another time than its source, or holds its first one, pairs each with a neighbour).
# Usage: bench/quality.sh CLIP...   (VEXACONV=path, else BUILD_DIR (default build/bench) is
# built; needs HandBrakeCLI (Debian: handbrake-cli), ffmpeg and ffprobe)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/build_vexaconv.sh
source "$root/bench/build_vexaconv.sh"
command -v HandBrakeCLI >/dev/null || { echo "HandBrakeCLI is needed (apt-get install handbrake-cli)" >&2; exit 2; }
[[ $# -gt 0 ]] || { echo "usage: $0 CLIP..." >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now() { date +%s.%N; }
secs() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }
vkbps() { # the video stream's bit rate in kbit/s, from its size and length where the stream has none
  ffprobe -v error -select_streams v:0 -show_entries stream=bit_rate,duration:format=duration,size -of default=nw=1 "$1" |
    awk -F= '/^bit_rate=[0-9]/ { b = $2 } /^duration=[0-9]/ { d = $2 } /^size=/ { s = $2 }
             END { if (b > 0) printf "%d", b / 1000; else if (d > 0) printf "%d", s * 8 / d / 1000; else print 0 }'
}
pairing() { # SSIM (all) and PSNR (average) of $2 against the source $1, each side's pictures through $3 first
  local size
  size=$(ffprobe -v error -select_streams v:0 -show_entries stream=width,height -of csv=s=x:p=0 "$2")
  ffmpeg -nostdin -hide_banner -i "$2" -i "$1" -lavfi \
    "[1:v]${3}scale=${size/x/:}:flags=bicubic,setsar=1[ref];[0:v]${4}setsar=1[out];[out]split[a][b];[ref]split[c][d];[a][c]ssim;[b][d]psnr" \
    -f null - 2>&1 | awk '/SSIM Y:/ { for (i = 1; i <= NF; i++) if ($i ~ /^All:/) { sub("All:", "", $i); s = $i } }
                          /PSNR y:/ { for (i = 1; i <= NF; i++) if ($i ~ /^average:/) { sub("average:", "", $i); p = $i } }
                          END { printf "%s %s", s, p }'
}
quality() { # the best of three pairings: by the pictures' times, in order, in order from the output's second
  local order='settb=1/25,setpts=N,'
  {
    pairing "$1" "$2" "" ""
    echo
    pairing "$1" "$2" "$order" "$order"
    echo
    pairing "$1" "$2" "$order" "trim=start_frame=1,$order"
    echo
  } | sort -k2 -g | tail -1
}
printf '%-22s %-10s %8s %8s %9s %7s %8s\n' clip maker seconds KB video_kbps SSIM PSNR
for clip in "$@"; do
  name=$(basename "$clip")
  mkdir -p "$work/$name"
  t0=$(now)
  HOME=$work "$VEXACONV" --home "$work/home" --convert --profile "Plays everywhere (MP4, H.264)" --out-dir "$work/$name" \
    "$clip" >/dev/null 2>&1 || true
  t1=$(now)
  ours=$(ls "$work/$name"/*.mp4 2>/dev/null | head -1 || true)
  HandBrakeCLI --preset "Fast 1080p30" -i "$clip" -o "$work/$name/hb.mp4" >/dev/null 2>&1 || true
  t2=$(now)
  ffmpeg -nostdin -loglevel error -y -i "$clip" -c:v libx264 -crf 22 -c:a aac "$work/$name/ff.mp4" || true
  t3=$(now)
  if [[ -z $ours ]]; then echo "$name: the program made no output" >&2; continue; fi
  rate=$(vkbps "$ours")
  printf '%-22s %-10s %8s %8d %9s %7s %8s\n' "$name" program "$(secs "$t0" "$t1")" $(($(stat -c %s "$ours") / 1024)) "$rate" $(quality "$clip" "$ours")
  printf '%-22s %-10s %8s %8d %9s %7s %8s\n' "$name" handbrake "$(secs "$t1" "$t2")" $(($(stat -c %s "$work/$name/hb.mp4") / 1024)) "$(vkbps "$work/$name/hb.mp4")" - -
  printf '%-22s %-10s %8s %8d %9s %7s %8s\n' "$name" ffmpeg "$(secs "$t2" "$t3")" $(($(stat -c %s "$work/$name/ff.mp4") / 1024)) "$(vkbps "$work/$name/ff.mp4")" - -
  awk -v a="$(secs "$t0" "$t1")" -v b="$(secs "$t1" "$t2")" 'BEGIN { printf "%-22s time program / HandBrake: %.2f\n", "", a / b }'
  # equal video bit rate: HandBrake's preset encodes in two passes at a set rate, and ffmpeg
  # does so here too, so that both reach it. The "_g" rows also put key pictures as far apart
  # as the program's output does: a key picture every 5 s costs a still picture many more
  # bits than one every 10 or 25 s, which is the peers' own choice.
  keyint=$(grep -a -o -m1 'keyint=[0-9]*' "$ours" | head -1 | cut -d= -f2 || true)
  HandBrakeCLI --preset "Fast 1080p30" -i "$clip" -o "$work/$name/hb_eq.mp4" --vb "$rate" >/dev/null 2>&1 || true
  ff2pass() { # output, then more of ffmpeg's options
    local out=$1
    shift
    ffmpeg -nostdin -loglevel error -y -i "$clip" -c:v libx264 -b:v "${rate}k" -fps_mode passthrough "$@" -pass 1 -passlogfile "$work/pass" -an -f null - &&
      ffmpeg -nostdin -loglevel error -y -i "$clip" -c:v libx264 -b:v "${rate}k" -fps_mode passthrough "$@" -pass 2 -passlogfile "$work/pass" -c:a aac "$out" || true
  }
  ff2pass "$work/$name/ff_eq.mp4"
  rows=(hb_eq ff_eq)
  if [[ -n $keyint ]]; then
    HandBrakeCLI --preset "Fast 1080p30" -i "$clip" -o "$work/$name/hb_eq_g.mp4" --vb "$rate" --encopts "keyint=$keyint" >/dev/null 2>&1 || true
    ff2pass "$work/$name/ff_eq_g.mp4" -g "$keyint"
    rows+=(hb_eq_g ff_eq_g)
  fi
  for m in "${rows[@]}"; do
    f=$work/$name/$m.mp4
    [[ -s $f ]] || continue
    printf '%-22s %-10s %8s %8d %9s %7s %8s\n' "$name" "$m" - $(($(stat -c %s "$f") / 1024)) "$(vkbps "$f")" $(quality "$clip" "$f")
  done
done
