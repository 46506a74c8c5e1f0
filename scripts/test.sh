#!/usr/bin/env bash
# Builds everything twice (plain, then with AddressSanitizer and UndefinedBehaviorSanitizer)
# with warnings as errors and runs the whole test suite on both, then builds the fuzz targets
# and runs each for a minute (scripts/fuzz.sh). Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" || exit 1
jobs=$(nproc)
status=0
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_odr_violation=0"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for variant in plain sanitize; do
  dir="$root/build/test-$variant"
  san=OFF; [ "$variant" = sanitize ] && san=ON
  echo "== $variant build" >&2
  if ! { cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXA_WERROR=ON -DVEXA_SANITIZE=$san -DVEXA_BUILD_BENCH=OFF >/dev/null &&
         cmake --build "$dir" -j "$jobs"; }; then
    echo "== $variant build FAILED" >&2; status=1; continue
  fi
  echo "== $variant tests" >&2
  if ! ctest --test-dir "$dir" --output-on-failure -j "$jobs"; then
    echo "== $variant tests FAILED" >&2; status=1
  fi
done
echo "== fuzz targets" >&2
if ! "$root/scripts/fuzz.sh" 60; then
  echo "== fuzzing FAILED" >&2; status=1
fi
[ $status -eq 0 ] && echo "== all tests passed" >&2
exit $status
