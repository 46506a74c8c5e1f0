#!/usr/bin/env bash
# `vexaconv --script` over a folder of 2 000 clips (hard links of the test clips): adding
# with analysis, then planning every row, then writing the script; against the `mediainfo`
# command line reading the same files once. Prints both times and their ratio, best of
# ROUNDS each, alternating.
# Usage: bench/script_analysis.sh [ROUNDS]   (BUILD_DIR overrides the build directory)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
rounds=${1:-3}
count=2000
command -v mediainfo >/dev/null || { echo "the mediainfo command line is needed" >&2; exit 2; }

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target vexaconv -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$root/tests/support/make_media.sh" "$work/clips"
clips=("$work/clips/clip_xvid_mp3.avi" "$work/clips/clip_h264_aac.mp4" "$work/clips/clip_two_audio.mkv"
       "$work/clips/clip_interlaced.ts" "$work/clips/clip_video_only.mp4")
mkdir "$work/home"
source "$root/bench/links.sh"
make_links "$work/files" "$count" 5 "${clips[@]}"

now() { date +%s%N; }
best_v=0 best_m=0
for ((r = 1; r <= rounds; r++)); do
  t0=$(now)
  "$build/bin/vexaconv" --home "$work/home" --script "$work/out.sh" "$work/files" >/dev/null 2>"$work/err" \
    || { cat "$work/err" >&2; exit 1; }
  t1=$(now)
  find "$work/files" -type f -print0 | sort -z | xargs -0 mediainfo >/dev/null
  t2=$(now)
  v=$((t1 - t0)) m=$((t2 - t1))
  awk -v r="$r" -v v="$v" -v m="$m" 'BEGIN { printf "round %d: vexaconv --script %.3f s, mediainfo %.3f s\n", r, v / 1e9, m / 1e9 }'
  ((best_v == 0 || v < best_v)) && best_v=$v
  ((best_m == 0 || m < best_m)) && best_m=$m
done
lines=$(grep -c '"$mencoder"' "$work/out.sh" || true)
awk -v v="$best_v" -v m="$best_m" -v n="$count" -v l="$lines" \
  'BEGIN { printf "%d files, %d encoder lines in the script; best: vexaconv %.3f s, mediainfo %.3f s, ratio %.3f (target at most 1)\n", n, l, v / 1e9, m / 1e9, v / m }'
# the machine may be shared: a figure taken under load says less
echo "load average (1, 5, 15 min): $(cut -d" " -f1-3 /proc/loadavg)"
