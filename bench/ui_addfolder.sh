#!/usr/bin/env bash
# Adds a folder of 2 000 clip copies through the main window's add-folder path (offscreen)
# and prints the time until the rows are listed and until the analysis workers have filled
# them in, the bare one-core analysis time, the longest event-loop block and the
# start-to-window time.
# Usage: bench/ui_addfolder.sh [None|Quick|Full]   (BUILD_DIR overrides the build directory)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
analysis=${1:-Full}
count=2000

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_ui_addfolder vexaconv -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$root/tests/support/make_media.sh" "$work/clips"
mapfile -t clips < <(find "$work/clips" -maxdepth 1 -type f -size +100k ! -name '.*' | sort)
# Hard links: real files to the scan and to the analysis, no disk space.
source "$root/bench/links.sh"
make_links "$work/files" "$count" 4 "${clips[@]}"
"$build/bin/bench_ui_addfolder" "$work/files" "$analysis"
# the machine may be shared: a figure taken under load says less
echo "load average (1, 5, 15 min): $(cut -d" " -f1-3 /proc/loadavg)"
