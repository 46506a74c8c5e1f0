#!/usr/bin/env bash
# Builds the program and the tests twice (plain, then with AddressSanitizer and
# UndefinedBehaviorSanitizer) with warnings as errors and runs the test suite on both, makes
# the .deb from the plain build and has lintian check it, then builds the fuzz targets and
# runs each over its seed corpus (scripts/fuzz.sh fuzzes for longer). Exits non-zero on
# any failure, and prints where the minutes went.
#
# The plain build runs every test, and again under a locale with a decimal comma the cases
# that write or read numbers. The sanitizers' build runs every unit table and every fault
# test once more, but the tables that only take more clips through the same code by the
# real encoder run there in one column (tests/CMakeLists.txt names them).
#
# These builds are made once and thrown away, so they precompile the common headers
# (VEXA_PCH), keep only line tables for the sanitizers' reports (-g1) and use the clang the
# release ships, which builds this tree in about half gcc's time (g++ where there is none;
# the development build, build/dev, and scripts/run.sh stay with gcc, the compiler users
# build with, warnings as errors there too). The tests wait on encoders, timers and child
# processes part of the time: the next build runs beside them at the lowest priority and
# takes what the tests leave.
# FUZZ_SECONDS (default 0: each seed once) sets each fuzz target's run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
start=$SECONDS
phases=()
# phase NAME: notes the time since the last phase ended.
last=$SECONDS
phase() { phases+=("$(printf '%-34s %4ds' "$1" $((SECONDS - last)))"); last=$SECONDS; }
"$root/scripts/deps.sh" || exit 1
phase "dependencies"
jobs=$(nproc)
# clang where the release ships it (scripts/deps.sh installs it), else g++.
cxx=clang++
command -v clang++ >/dev/null || cxx=g++
# clang's own linker where it is there: GNU ld takes seconds a test executable
linker=()
[ "$cxx" = clang++ ] && command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
fuzz_seconds=${FUZZ_SECONDS:-0}
status=0
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_odr_violation=0:suppressions=$root/tests/support/asan.supp"
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
           "${flags[@]}" "${linker[@]}" -DVEXA_PCH=ON -DVEXA_BUILD_BENCH=OFF &&
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
phase "plain build"
echo "== sanitize build (beside the plain tests)" >&2
( renice -n 19 $BASHPID >/dev/null; build sanitize ) &
sanitize_build=$!
run_tests plain
phase "plain tests (sanitize build beside)"
echo "== package and lintian" >&2
dir="$root/build/test-plain"
rm -f "$dir"/vexaconv_*.deb
if ! (cd "$dir" && cpack -G DEB >/dev/null); then
  echo "== package FAILED" >&2; status=1
elif ! lintian --fail-on error "$dir"/vexaconv_*.deb; then
  echo "== lintian FAILED: errors in the package" >&2; status=1
fi

phase "package and lintian"

fuzz=1
[ "$cxx" = clang++ ] || { fuzz=0; echo "== no clang: the fuzz targets are left out" >&2; }
if wait $sanitize_build; then
  phase "rest of the sanitize build"
  if [ $fuzz -eq 1 ]; then
    echo "== fuzz build (beside the sanitize tests)" >&2
    ( renice -n 19 $BASHPID >/dev/null; "$root/scripts/fuzz.sh" --build-only > "$root/build/fuzz.log" 2>&1 ) &
    fuzz_build=$!
  fi
  run_tests sanitize
  phase "sanitize tests (fuzz build beside)"
  if [ $fuzz -eq 1 ] && ! wait $fuzz_build; then
    tail -n 40 "$root/build/fuzz.log" >&2; echo "== fuzz build FAILED" >&2; status=1; fuzz=0
  fi
else
  status=1; fuzz=0
fi
if [ $fuzz -eq 1 ]; then
  if [ "$fuzz_seconds" -eq 0 ]; then echo "== fuzz targets over their seed corpora" >&2
  else echo "== fuzz targets (${fuzz_seconds}s each)" >&2; fi
  if ! "$root/scripts/fuzz.sh" "$fuzz_seconds"; then
    echo "== fuzzing FAILED" >&2; status=1
  fi
  phase "fuzz targets"
fi
echo "== where the time went" >&2
printf '   %s\n' "${phases[@]}" >&2
printf '   %-34s %4ds\n' "in all" $((SECONDS - start)) >&2
[ $status -eq 0 ] && echo "== all tests passed" >&2
exit $status
