#!/usr/bin/env bash
# Analyses 500 files (copies of the test clips) with GetVideoFileInfo and with a bare
# MediaInfo Open/Inform/Close loop in the same run, and prints both times and the ratio.
# Usage: bench/media_analysis.sh [ROUNDS]   (BUILD_DIR overrides the build directory)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
rounds=${1:-3}
count=500

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_media -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$root/tests/support/make_media.sh" "$work/clips"
mkdir "$work/files"
mapfile -t clips < <(find "$work/clips" -maxdepth 1 -type f ! -name '.*' | sort)
for ((i = 0; i < count; i++)); do
  src=${clips[i % ${#clips[@]}]}
  cp "$src" "$work/files/$(printf '%03d' "$i")_$(basename "$src")"
done

lib=$(ldconfig -p | awk '/libmediainfo\.so\.0 / && /x86-64|64bit/ {print $NF; exit}')
lib=${MEDIAINFO_LIB:-$(readlink -f "${lib:-/usr/lib/x86_64-linux-gnu/libmediainfo.so.0}")}
"$build/bin/bench_media" "$work/files" "$lib" "$rounds"
