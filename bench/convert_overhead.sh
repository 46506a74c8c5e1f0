#!/usr/bin/env bash
# The cost of the batch planner around the encoder: converts the same three clips (made
# here with ffmpeg, each several seconds of encoding) once with `vexaconv --convert` and
# once by running the very encoder commands that `vexaconv --script x.sh` writes, in one
# run, and prints both wall times and their ratio.
# Usage: bench/convert_overhead.sh [ROUNDS]   (default 3)
#   VEXACONV=path uses that executable; otherwise BUILD_DIR (default build/bench) is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}

# shellcheck source=bench/build_vexaconv.sh
source "$root/bench/build_vexaconv.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/clips" "$work/home" "$work/tmp"
export TMPDIR=$work/tmp
for i in 1 2 3; do
  ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc=size=640x480:rate=25" -f lavfi -i "sine=frequency=$((300 * i)):sample_rate=44100" \
    -t 20 -c:v mpeg4 -b:v 1500k -c:a libmp3lame -b:a 128k -ac 2 -avoid_negative_ts disabled \
    "$work/clips/clip$i.avi"
done
clips=("$work/clips"/clip1.avi "$work/clips"/clip2.avi "$work/clips"/clip3.avi)
settings=(--set VideoCodec=x264)

now() { date +%s%N; }
TIMEFORMAT='%R %U %S'
total_app=0
total_sh=0
cpu_app=0
cpu_sh=0
for ((r = 1; r <= rounds; r++)); do
  rm -rf "$work/out_app" "$work/out_sh"
  # the script is written while its output directory is still empty: same names as the run
  "$VEXACONV" --home "$work/home" --script "$work/direct.sh" "${settings[@]}" --out-dir "$work/out_sh" "${clips[@]}"

  # the order alternates between rounds, so that neither side always gets a warm cache
  # CPU time: user + system of the command and all its children, from bash's time, in
  # milliseconds ("%d" in mawk stops at 2^31 - 1: nanoseconds made every side 2.147 s)
  cpu_of() { awk '{ printf "%.0f", ($2 + $3) * 1e3 }' "$1"; }
  run_app() {
    local t0
    t0=$(now)
    { time "$VEXACONV" --home "$work/home" --convert "${settings[@]}" --out-dir "$work/out_app" "${clips[@]}" \
      >/dev/null 2>"$work/app.err"; } 2>"$work/app.time"
    app=$(($(now) - t0))
    app_cpu=$(cpu_of "$work/app.time")
  }
  run_sh() {
    local t0
    t0=$(now)
    { time bash "$work/direct.sh" >/dev/null 2>&1; } 2>"$work/sh.time"
    sh=$(($(now) - t0))
    sh_cpu=$(cpu_of "$work/sh.time")
  }
  if ((r % 2)); then run_app; run_sh; else run_sh; run_app; fi
  total_app=$((total_app + app))
  total_sh=$((total_sh + sh))
  cpu_app=$((cpu_app + app_cpu))
  cpu_sh=$((cpu_sh + sh_cpu))
  for i in 1 2 3; do
    a=$(stat -c %s "$work/out_app/clip$i.avi")
    b=$(stat -c %s "$work/out_sh/clip$i.avi")
    [[ $a -gt 0 && $b -gt 0 ]] || { echo "round $r: clip$i missing" >&2; exit 1; }
  done
  awk -v r="$r" -v a="$app" -v s="$sh" -v ac="$app_cpu" -v sc="$sh_cpu" \
    'BEGIN { printf "round %d: vexaconv --convert %.3f s (CPU %.3f s), direct encoder commands %.3f s (CPU %.3f s), ratio %.4f\n", r, a / 1e9, ac / 1e3, s / 1e9, sc / 1e3, a / s }'
done
awk -v a="$total_app" -v s="$total_sh" -v n="$rounds" \
  'BEGIN { printf "total (%d rounds, 3 clips 640x480 20 s each): vexaconv %.3f s, direct %.3f s, ratio %.4f (target <= 1.02)\n", n, a / 1e9, s / 1e9, a / s }'
awk -v a="$cpu_app" -v s="$cpu_sh" \
  'BEGIN { printf "CPU time (user + system, children included): vexaconv %.3f s, direct %.3f s, ratio %.4f (target <= 1.02)\n", a / 1e3, s / 1e3, a / s }'
# the machine may be shared: a figure taken under load says less
echo "load average (1, 5, 15 min): $(cut -d" " -f1-3 /proc/loadavg)"
