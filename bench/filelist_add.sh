#!/usr/bin/env bash
# Adds a folder of 2 000 files (hard links of the test clips) to the file list with full
# analysis on the pool's workers and prints the time, the bare one-core analysis time of
# the same files, their ratio, the longest event-loop block and the process memory; then
# lists 10 000 such files and prints the memory again.
# Usage: bench/filelist_add.sh [ROUNDS]   (BUILD_DIR overrides the build directory)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
rounds=${1:-3}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_filelist vexaconv -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$root/tests/support/make_media.sh" "$work/clips"
clips=("$work/clips/clip_xvid_mp3.avi" "$work/clips/clip_h264_aac.mp4" "$work/clips/clip_two_audio.mkv"
       "$work/clips/clip_interlaced.ts" "$work/clips/clip_video_only.mp4")
source "$root/bench/links.sh"
make_links "$work/files2000" 2000 5 "${clips[@]}"
make_links "$work/files10000" 10000 5 "${clips[@]}"

lib=$(ldconfig -p | awk '/libmediainfo\.so\.0 / && /x86-64|64bit/ {print $NF; exit}')
lib=${MEDIAINFO_LIB:-$(readlink -f "${lib:-/usr/lib/x86_64-linux-gnu/libmediainfo.so.0}")}
echo "== 2 000 files, full analysis"
"$build/bin/bench_filelist" ratio "$work/files2000" "$lib" "$rounds"
echo "== 10 000 rows"
"$build/bin/bench_filelist" memory "$work/files10000" "$lib"
# the machine may be shared: a figure taken under load says less
echo "load average (1, 5, 15 min): $(cut -d" " -f1-3 /proc/loadavg)"
