#!/usr/bin/env bash
# Time to load a settings/profile file of 100 000 sections (then to read one key of each
# section and to save it back).
# Usage: bench/ini_load.sh [SECTIONS]   (BUILD_DIR overrides the build directory)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
sections=${1:-100000}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_ini -j2 >/dev/null
"$build/bin/bench_ini" "$sections"
