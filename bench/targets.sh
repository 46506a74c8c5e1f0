#!/usr/bin/env bash
# The same clips converted with the default settings (AVI, Xvid, the Auto bit rate that
# follows the source) and with a profile that comes with the program (default: "Plays
# everywhere", MP4 with H.264 by quality): per clip the status, the output's size and the
# wall time of each, then the totals. One file at a time, so the times compare.
# Usage: bench/targets.sh [PROFILE] CLIP...   (no clips: tests/data/real and, with
#   CLIPS_DIR, the clips bench/real_footage.sh keeps there)
#   VEXACONV=path uses that executable; otherwise BUILD_DIR (default build/bench) is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
profile=${1:-plays-everywhere}
shift || true
if [[ -z ${VEXACONV:-} ]]; then
  build=${BUILD_DIR:-$root/build/bench}
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --target vexaconv -j2 >/dev/null
  VEXACONV=$build/bin/vexaconv
fi
clips=("$@")
if ((${#clips[@]} == 0)); then
  clips=("$root"/tests/data/real/*.{avi,mpg,ogv})
  [[ -n ${CLIPS_DIR:-} ]] && clips+=("$CLIPS_DIR"/*)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR=$work
now() { date +%s%N; }
convert() { # kind clip -> "status bytes ms"
  local out=$work/out-$1 t0 status
  rm -rf "$out"
  t0=$(now)
  if [[ $1 == auto ]]; then
    status=$("$VEXACONV" --home "$work/home" --convert --out-dir "$out" -- "$2" 2>/dev/null | cut -f1 | tr ' ' '_') || true
  else
    status=$("$VEXACONV" --home "$work/home" --convert --profile "$profile" --out-dir "$out" -- "$2" 2>/dev/null | cut -f1 | tr ' ' '_') || true
  fi
  local ms=$((($(now) - t0) / 1000000)) bytes=0
  for f in "$out"/*; do [[ -f $f ]] && bytes=$(stat -c %s "$f"); done
  echo "${status:-none} $bytes $ms"
}
printf '%-28s %10s | %-14s %10s %8s | %-14s %10s %8s\n' clip source status "auto bytes" ms status "$profile" ms
tab=0 tam=0 tpb=0 tpm=0
for c in "${clips[@]}"; do
  read -r as ab am < <(convert auto "$c")
  read -r ps pb pm < <(convert profile "$c")
  printf '%-28s %10s | %-14s %10s %8s | %-14s %10s %8s\n' "$(basename "$c" | cut -c1-28)" "$(stat -c %s "$c")" \
    "$as" "$ab" "$am" "$ps" "$pb" "$pm"
  tab=$((tab + ab)) tam=$((tam + am)) tpb=$((tpb + pb)) tpm=$((tpm + pm))
done
echo "total: auto $tab bytes in $tam ms; $profile $tpb bytes in $tpm ms" \
  "(size $(awk -v a="$tab" -v b="$tpb" 'BEGIN { printf "%.2f", b / a }')x," \
  "time $(awk -v a="$tam" -v b="$tpm" 'BEGIN { printf "%.2f", b / a }')x)"
