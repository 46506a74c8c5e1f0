#!/usr/bin/env bash
# Proves the README's set-up on a fresh Debian release. Makes (once; cached under
# build/release-check) a minimal root of RELEASE from Debian's package registry with
# debootstrap, lays a fresh copy of it for every run, copies the tree in (committed and
# uncommitted files alike, no build folder) and runs there what a new user runs:
# scripts/deps.sh, scripts/run.sh --version (the build and the program's start), and one
# headless conversion of a clip made with ffmpeg; with --full, scripts/test.sh before them,
# on the fresh root.
# Prints each step's time. Not part of the test command; needs root.
# Usage: scripts/check-release.sh [--full] [--keep] RELEASE   (bookworm, trixie, ...)
#   --keep  leaves the run's root in build/release-check/RELEASE-run for a look inside
set -euo pipefail
root=${VEXA_CHECK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
# Runs from a copy: bash reads a script as it goes, and the tree may be edited meanwhile.
if [ -z "${VEXA_CHECK_ROOT:-}" ]; then
  copy=$(mktemp)
  cp "$0" "$copy"
  VEXA_CHECK_ROOT=$root exec bash "$copy" "$@"
fi
rm -f "$0"
full=0 keep=0
while [ $# -gt 0 ]; do
  case $1 in
    --full) full=1; shift ;;
    --keep) keep=1; shift ;;
    -*) echo "unknown option: $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
release=${1:?usage: scripts/check-release.sh [--full] [--keep] RELEASE}
[ "$(id -u)" -eq 0 ] || { echo "check-release.sh needs root (debootstrap, chroot, mount)" >&2; exit 2; }
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
cache="$root/build/release-check"
base="$cache/$release-base"
run="$cache/$release-run"
mkdir -p "$cache"

step() { printf '== %s: %s\n' "$release" "$*" >&2; }
clock() { date +%s; }
report() { printf '== %s: %-28s %4ds\n' "$release" "$1" "$2" >&2; }

if ! command -v debootstrap >/dev/null; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
fi
if [ ! -e "$base/.complete" ]; then
  step "making the base system with debootstrap (cached in $base)"
  rm -rf "$base"
  debootstrap --variant=minbase "$release" "$base" "$mirror" > "$cache/$release-debootstrap.log" 2>&1 ||
    { tail -n 30 "$cache/$release-debootstrap.log" >&2; echo "== debootstrap FAILED" >&2; exit 1; }
  touch "$base/.complete"
fi

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
  [ $keep -eq 1 ] || rm -rf "$run"
}
trap cleanup EXIT
rm -rf "$run"
cp -a "$base" "$run"
cp /etc/resolv.conf "$run/etc/resolv.conf" 2>/dev/null || true
mount -t proc proc "$run/proc" && mounted+=("$run/proc")
mount --bind /dev "$run/dev" && mounted+=("$run/dev")
mount --bind /dev/pts "$run/dev/pts" 2>/dev/null && mounted+=("$run/dev/pts")
mkdir -p "$run/src"
(cd "$root" && git ls-files -co --exclude-standard -z | grep -zv '^build/' | tar --null -T - -cf -) | tar -xf - -C "$run/src"
# CI's layout: the shared folder beside the tree, where there is one.
[ -d "$root/../shared" ] && cp -a "$root/../shared" "$run/shared"

# in_root COMMAND...: runs a shell command in the fresh root as a new user's root shell would.
in_root() {
  chroot "$run" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -c "cd /src && $1"
}

status=0
# The whole test command first, on the fresh root: its time includes the packages, as on a
# new machine.
if [ $full -eq 1 ]; then
  t=$(clock); step "scripts/test.sh (the whole test command, packages included)"
  if in_root 'scripts/test.sh' > "$cache/$release-test.log" 2>&1; then
    report "scripts/test.sh" $(( $(clock) - t ))
  else
    status=1
    tail -n 60 "$cache/$release-test.log" >&2
    echo "== $release: test.sh FAILED (whole output: $cache/$release-test.log)" >&2
  fi
  sed -n '/== where the time went/,$p' "$cache/$release-test.log" >&2
fi
t=$(clock); step "scripts/deps.sh"
in_root 'scripts/deps.sh' > "$cache/$release-deps.log" 2>&1 ||
  { tail -n 40 "$cache/$release-deps.log" >&2; echo "== $release: deps.sh FAILED" >&2; exit 1; }
report "scripts/deps.sh" $(( $(clock) - t ))
in_root 'echo "   Qt $(dpkg-query -W -f="\${Version}" qt6-base-dev), libavformat $(dpkg-query -W -f="\${Version}" libavformat-dev), $(g++ --version | head -n1), $(clang++ --version 2>/dev/null | head -n1 || echo no clang)"' >&2

t=$(clock); step "scripts/run.sh --version"
if in_root 'scripts/run.sh --version' > "$cache/$release-run.log" 2>&1; then
  report "scripts/run.sh --version" $(( $(clock) - t ))
  tail -n 2 "$cache/$release-run.log" | sed 's/^/   /' >&2
else
  tail -n 40 "$cache/$release-run.log" >&2; echo "== $release: run.sh FAILED" >&2; exit 1
fi

t=$(clock); step "one headless conversion"
if in_root 'set -e; d=$(mktemp -d); cd "$d"
      ffmpeg -v error -f lavfi -i testsrc=size=320x240:rate=25:duration=2 -f lavfi -i sine=frequency=440:duration=2 \
             -c:v libx264 -pix_fmt yuv420p -c:a aac "clip one.mp4"
      /src/build/release/bin/vexaconv --convert --out-dir out "clip one.mp4"
      ls -l out' > "$cache/$release-convert.log" 2>&1; then
  report "headless conversion" $(( $(clock) - t ))
  tail -n 3 "$cache/$release-convert.log" | sed 's/^/   /' >&2
else
  tail -n 40 "$cache/$release-convert.log" >&2; echo "== $release: conversion FAILED" >&2; status=1
fi

[ $status -eq 0 ] && echo "== $release: the set-up works" >&2
exit $status
