#!/usr/bin/env bash
# Time the planner spends on 1 000, 2 000 and 5 000 rows in script mode, analysis aside.
# Usage: bench/planner_script.sh   (BUILD_DIR overrides the build directory)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_planner -j2 >/dev/null
"$build/bin/bench_planner"
