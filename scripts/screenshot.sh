#!/usr/bin/env bash
# Takes the README's picture of the main window: the program as a new user starts it (a
# fresh home), under Xvfb with the openbox window manager, with the real clips of
# tests/data/real and two made by ffmpeg in its list; writes docs/screenshot.png.
# Usage: scripts/screenshot.sh [BUILD_DIR]   (default build/release, as scripts/run.sh builds it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" xvfb openbox x11-utils
dir=${1:-$root/build/release}
if [ ! -x "$dir/bin/vexaconv" ]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_BUILD_TESTS=OFF -DVEXA_BUILD_BENCH=OFF >/dev/null
  cmake --build "$dir" --target vexaconv
fi
scratch=$(mktemp -d /tmp/vexaconv-screenshot.XXXXXX)
pids=()
# The program first (it saves its settings as it closes), then the window manager and Xvfb.
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT

clips="$scratch/Videos"
mkdir -p "$clips"
cp "$root"/tests/data/real/*.{avi,mpg,ogv} "$clips/"
ffmpeg -loglevel error -f lavfi -i testsrc2=size=1280x720:rate=25:duration=4 -f lavfi -i sine=frequency=440:duration=4 \
  -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest "$clips/garden-720p.mp4"
ffmpeg -loglevel error -f lavfi -i smptebars=size=640x480:rate=30000/1001:duration=3 -f lavfi -i sine=frequency=880:duration=3 \
  -c:v mpeg4 -c:a libmp3lame -shortest "$clips/test-card.mkv"

# A display number nobody uses: Xvfb's lock files name the taken ones.
display=99
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)

# A fresh home, so the picture shows the defaults; the window closes itself.
env -u QT_QPA_PLATFORM HOME="$scratch" XDG_CONFIG_HOME="$scratch/.config" XDG_STATE_HOME="$scratch/.state" \
    LC_ALL=C.UTF-8 VEXACONV_QUIT_AFTER_MS=30000 "$dir/bin/vexaconv" "$clips"/* >/dev/null 2>&1 &
program=$!
pids+=($program)
# Wait for the window, then for the analysis to fill the rows in.
window=
for _ in $(seq 100); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Vexa Video Converter/ && !w {w = $1} END {print w}')
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the main window did not appear" >&2; exit 1; }
sleep 6
# The window with its frame: openbox reparents it, so take the frame's geometry.
read -r x y w h < <(xwininfo -id "$window" -frame | awk '
  /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF}
  END {print x, y, w, h}')
ffmpeg -loglevel error -y -f x11grab -draw_mouse 0 -video_size "${w}x${h}" -i "$DISPLAY+$x,$y" -frames:v 1 "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png (${w}x${h})" >&2
