#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when missing.
# Usage: scripts/deps.sh [EXTRA-PACKAGE...]   (other scripts name what they need beyond these)
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-svg-dev
      libgl-dev zlib1g-dev libmediainfo-dev libmediainfo0v5 mencoder ffmpeg
      libavformat-dev libavcodec-dev libavutil-dev libswscale-dev
      libgtest-dev libgmock-dev fonts-dejavu-core adwaita-icon-theme
      fusefat dosfstools parallel locales
      librsvg2-bin desktop-file-utils appstream man-db dbus-daemon dpkg-dev lintian
      qt6-l10n-tools qt6-translations-l10n python3 "$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
updated=0
update() { [ $updated -eq 1 ] || "${as_root[@]}" apt-get update -qq || true; updated=1; }
# Packages that only some releases have, installed where there: the clang the release ships
# for the test builds and the fuzz targets (the unversioned packages follow it: 14 on
# Debian 12, 19 on Debian 13; without it the tests build with g++ and the fuzz targets are
# left out), its linker (a quarter of GNU ld's time on the large test executables), and
# the SVG icon plugins, which Debian 13 keeps apart from libqt6svg6.
for p in clang libclang-rt-dev lld qt6-svg-plugins; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' && continue
  update
  # (read whole: grep -q ending the pipe early would fail it under pipefail)
  policy=$(apt-cache policy "$p" 2>/dev/null || true)
  if grep -q 'Candidate: [0-9]' <<< "$policy"; then
    missing+=("$p")
  elif [ "$p" = clang ]; then
    echo "No clang in this release: the tests build with g++" >&2
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The tests run once more under a locale with a decimal comma; the C library formats
# with it only when the locale is generated.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
  echo "Generating the de_DE.UTF-8 locale" >&2
  "${as_root[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen >/dev/null
fi
