#!/usr/bin/env bash
# Builds the program and starts it: scripts/run.sh [FILE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --target vexaconv
exec "$root/build/release/bin/vexaconv" "$@"
