#!/usr/bin/env bash
# Builds the libFuzzer targets (clang++, AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each for SECONDS seconds (default 60), one per core at a time, on a scratch copy of its seed corpus
# (fuzz/corpus/<target>), so the repository's corpus stays as it is. SECONDS 0 runs each
# target once over its corpus and stops (the test command's check that every seed, and
# every finding added to the corpus, still passes).
# Exits non-zero on a build failure or a finding; crash inputs are kept in build/fuzz/findings.
# Usage: scripts/fuzz.sh [--build-only] [SECONDS] [TARGET...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_only=0
[ "${1:-}" = --build-only ] && { build_only=1; shift; }
seconds=${1:-60}
shift || true
dir="$root/build/fuzz"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
linker=()
command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
if ! { cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_FUZZ=ON -DVEXA_WERROR=ON \
         -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" "${linker[@]}" >/dev/null &&
       cmake --build "$dir" -j "$(nproc)"; }; then
  echo "== fuzz build FAILED" >&2; exit 1
fi
[ $build_only -eq 1 ] && exit 0
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_ini fuzz_listfile fuzz_lines fuzz_pe fuzz_elf fuzz_media_answers fuzz_framed_names)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$dir/findings"
# One target per core at a time: each fuzzer runs on one core.
fuzz_one() {
  local t=$1
  mkdir -p "$scratch/$t"
  cp "$root/fuzz/corpus/$t/"* "$scratch/$t/"
  if ASAN_OPTIONS="detect_leaks=1:abort_on_error=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
     TMPDIR="$scratch" "$dir/fuzz/$t" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
     -artifact_prefix="$dir/findings/$t-" -print_final_stats=1 "$scratch/$t" > "$scratch/$t.log" 2>&1; then
    touch "$scratch/$t.ok"
  fi
}
limit=(-max_total_time="$seconds")
[ "$seconds" -eq 0 ] && limit=(-runs=0)
slots=$(nproc)
running=0
for t in "${targets[@]}"; do
  [ "$seconds" -eq 0 ] || echo "== fuzzing $t for ${seconds}s" >&2
  fuzz_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$slots" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait
status=0
for t in "${targets[@]}"; do
  if [ -e "$scratch/$t.ok" ]; then
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$scratch/$t.log" | sed "s/^/   $t /" >&2
  else
    tail -n 60 "$scratch/$t.log" >&2
    echo "== $t: FINDING (input kept in $dir/findings/)" >&2; status=1
  fi
done
exit $status
