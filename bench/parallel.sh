#!/usr/bin/env bash
# Side-by-side conversions: four 12-second 640x360 clips (made here with ffmpeg) converted
# with the default settings by `vexaconv --convert --jobs 2` and by `--jobs 1`, the two
# alternating in one run; prints both wall times and their ratio (jobs 2 / jobs 1).
# Usage: bench/parallel.sh [ROUNDS]   (default 2)
#   VEXACONV=path uses that executable; otherwise BUILD_DIR (default build/bench) is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-2}

if [[ -z ${VEXACONV:-} ]]; then
  build=${BUILD_DIR:-$root/build/bench}
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --target vexaconv -j2 >/dev/null
  VEXACONV=$build/bin/vexaconv
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/clips" "$work/home" "$work/tmp"
export TMPDIR=$work/tmp
for i in 1 2 3 4; do
  ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc=size=640x360:rate=25" -f lavfi -i "sine=frequency=$((200 * i)):sample_rate=44100" \
    -t 12 -c:v mpeg4 -b:v 1500k -c:a libmp3lame -b:a 128k -ac 2 "$work/clips/clip$i.avi"
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
total1=0
total2=0
for ((r = 1; r <= rounds; r++)); do
  # the order alternates between rounds, so that neither side always gets a warm cache
  if ((r % 2)); then run 2; total2=$((total2 + wall)); run 1; total1=$((total1 + wall))
  else run 1; total1=$((total1 + wall)); run 2; total2=$((total2 + wall)); fi
done
awk -v a="$total1" -v b="$total2" -v n="$rounds" -v cores="$(nproc)" 'BEGIN {
  printf "cores: %d, rounds: %d\n", cores, n
  printf "--jobs 1: %.2f s per batch\n", a / n / 1e9
  printf "--jobs 2: %.2f s per batch\n", b / n / 1e9
  printf "ratio (jobs 2 / jobs 1): %.3f\n", b / a
}'
# the machine may be shared: a figure taken under load says less
echo "load average (1, 5, 15 min): $(cut -d" " -f1-3 /proc/loadavg)"
