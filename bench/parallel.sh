#!/usr/bin/env bash
# Side-by-side conversions: four 12-second 640x360 clips (made here with ffmpeg) converted
# with the default settings by `vexaconv --convert --jobs 2` and by `--jobs 1`, the two
# alternating in one run; prints both wall times and their ratio (jobs 2 / jobs 1), and
# the same ratio for the bare encoder commands run by the shell, as the reference under the
# machine's load of the moment.
# Usage: bench/parallel.sh [ROUNDS]   (default 2)
#   VEXACONV=path uses that executable; otherwise BUILD_DIR (default build/bench) is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-2}

# shellcheck source=bench/build_vexaconv.sh
source "$root/bench/build_vexaconv.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/clips" "$work/home" "$work/tmp"
export TMPDIR=$work/tmp
# Without -avoid_negative_ts disabled ffmpeg writes zero-size video chunks, which the
# encoder's AVI demuxer turns into a still picture: every clip would be converted twice.
for i in 1 2 3 4; do
  ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc=size=640x360:rate=25" -f lavfi -i "sine=frequency=$((200 * i)):sample_rate=44100" \
    -t 12 -c:v mpeg4 -b:v 1500k -c:a libmp3lame -b:a 128k -ac 2 -avoid_negative_ts disabled \
    "$work/clips/clip$i.avi"
done
clips=("$work/clips"/clip*.avi)

now() { date +%s%N; }
run() { # jobs -> wall nanoseconds in $wall
  local t0
  rm -rf "$work/out$1"
  t0=$(now)
  "$VEXACONV" --home "$work/home" --convert --jobs "$1" --out-dir "$work/out$1" "${clips[@]}" >/dev/null 2>&1
  wall=$(($(now) - t0))
  for c in "${clips[@]}"; do
    [[ -s $work/out$1/$(basename "$c") ]] || { echo "jobs $1: $(basename "$c") missing" >&2; exit 1; }
  done
}
# The reference under the same load: the very encoder commands, one script per clip, run
# one after the other and two at a time by the shell (what two separate programs reach).
for i in "${!clips[@]}"; do
  "$VEXACONV" --home "$work/home" --script "$work/direct$i.sh" --out-dir "$work/outref" "${clips[i]}" >/dev/null 2>&1
done
reference() { # 1 or 2 -> wall nanoseconds in $wall
  local t0
  rm -rf "$work/outref"
  mkdir "$work/outref" # the scripts write into it, they do not make it
  t0=$(now)
  if (($1 == 1)); then
    for i in "${!clips[@]}"; do bash "$work/direct$i.sh" >/dev/null 2>&1; done
  else
    { bash "$work/direct0.sh"; bash "$work/direct2.sh"; } >/dev/null 2>&1 &
    { bash "$work/direct1.sh"; bash "$work/direct3.sh"; } >/dev/null 2>&1
    wait
  fi
  wall=$(($(now) - t0))
}
total1=0 total2=0 ref1=0 ref2=0
for ((r = 1; r <= rounds; r++)); do
  # the order alternates between rounds, so that neither side always gets a warm cache
  if ((r % 2)); then run 2; total2=$((total2 + wall)); run 1; total1=$((total1 + wall))
  else run 1; total1=$((total1 + wall)); run 2; total2=$((total2 + wall)); fi
  reference 2; ref2=$((ref2 + wall)); reference 1; ref1=$((ref1 + wall))
done
awk -v a="$total1" -v b="$total2" -v c="$ref1" -v d="$ref2" -v n="$rounds" -v cores="$(nproc)" 'BEGIN {
  printf "cores: %d, rounds: %d\n", cores, n
  printf "--jobs 1: %.2f s per batch\n", a / n / 1e9
  printf "--jobs 2: %.2f s per batch\n", b / n / 1e9
  printf "ratio (jobs 2 / jobs 1): %.3f (target at most 0.55)\n", b / a
  printf "reference, the encoder commands by the shell: one at a time %.2f s, two at a time %.2f s, ratio %.3f\n",
    c / n / 1e9, d / n / 1e9, d / c
}'
# the machine may be shared: a figure taken under load says less
echo "load average (1, 5, 15 min): $(cut -d" " -f1-3 /proc/loadavg)"
