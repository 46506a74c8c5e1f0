#!/usr/bin/env bash
# Builds the program and the tests twice (plain, then with AddressSanitizer and
# UndefinedBehaviorSanitizer) with warnings as errors and runs the whole test suite on both
# (the decimal-comma twins in the plain build only), makes the .deb from the plain build and
# has lintian check it, then builds the fuzz targets and runs each for a few seconds
# (scripts/fuzz.sh runs them for longer). Exits non-zero on any failure.
#
# These builds are made once and thrown away, so they precompile the common headers
# (VEXA_PCH), keep only line tables for the sanitizers' reports (-g1) and use clang, which
# builds this tree in about half gcc's time (the development build, build/dev, and
# scripts/run.sh stay with gcc, the compiler users build with, warnings as errors there
# too). The tests wait on encoders, timers and child processes part of the time: the next
# build runs beside them at the lowest priority and takes what the tests leave.
# FUZZ_SECONDS (default 5) sets each target's run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" || exit 1
jobs=$(nproc)
# clang where the release ships it (scripts/deps.sh installs it), else g++.
cxx=clang++
command -v clang++ >/dev/null || cxx=g++
fuzz_seconds=${FUZZ_SECONDS:-5}
status=0
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_odr_violation=0"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$root/build"

# build VARIANT: configures and builds build/test-VARIANT; its output goes to
# build/test-VARIANT.log and only its end is shown when it fails.
build() {
  local variant=$1 dir="$root/build/test-$1" log="$root/build/test-$1.log"
  local flags=(-DVEXA_SANITIZE=OFF)
  [ "$variant" = sanitize ] && flags=(-DVEXA_SANITIZE=ON)
  if ! { cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=$cxx -DCMAKE_BUILD_TYPE=Debug \
           -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DVEXA_WERROR=ON \
           "${flags[@]}" -DVEXA_PCH=ON -DVEXA_BUILD_BENCH=OFF &&
         cmake --build "$dir" -j "$jobs"; } > "$log" 2>&1; then
    tail -n 80 "$log" >&2
    echo "== $variant build FAILED (whole output: $log)" >&2
    return 1
  fi
}

# run_tests VARIANT
run_tests() {
  echo "== $1 tests" >&2
  if ! ctest --test-dir "$root/build/test-$1" --output-on-failure -j "$jobs"; then
    echo "== $1 tests FAILED" >&2; status=1
  fi
}

echo "== plain build" >&2
build plain || exit 1
echo "== sanitize build (beside the plain tests)" >&2
( renice -n 19 $BASHPID >/dev/null; build sanitize ) &
sanitize_build=$!
run_tests plain
echo "== package and lintian" >&2
dir="$root/build/test-plain"
rm -f "$dir"/vexaconv_*.deb
if ! (cd "$dir" && cpack -G DEB >/dev/null); then
  echo "== package FAILED" >&2; status=1
elif ! lintian --fail-on error "$dir"/vexaconv_*.deb; then
  echo "== lintian FAILED: errors in the package" >&2; status=1
fi

if wait $sanitize_build; then
  echo "== fuzz build (beside the sanitize tests)" >&2
  ( renice -n 19 $BASHPID >/dev/null; "$root/scripts/fuzz.sh" --build-only > "$root/build/fuzz.log" 2>&1 ) &
  fuzz_build=$!
  run_tests sanitize
  wait $fuzz_build
else
  status=1
fi
echo "== fuzz targets (${fuzz_seconds}s each)" >&2
if ! "$root/scripts/fuzz.sh" "$fuzz_seconds"; then
  echo "== fuzzing FAILED" >&2; status=1
fi
[ $status -eq 0 ] && echo "== all tests passed" >&2
exit $status
