#!/usr/bin/env bash
# CPU time the encoder runner and its output parser spend per 100 000 status lines from
# a fake encoder (the child's own time is not counted).
# Usage: bench/runner_parse.sh [COUNT]   (BUILD_DIR overrides the build directory)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
count=${1:-100000}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_runner -j2 >/dev/null
"$build/bin/bench_runner" "$root/tests/fake_encoder/status_lines.py" "$count"
