# Sourced by the bench scripts: VEXACONV is the program to measure. Given, it is used as it
# is; else the release build in BUILD_DIR (default build/bench) is made (its errors shown).
# Needs root set to the project's root.
if [[ -z ${VEXACONV:-} ]]; then
  build=${BUILD_DIR:-$root/build/bench}
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_TESTS=OFF >/dev/null
  if ! log=$(cmake --build "$build" --target vexaconv -j2 2>&1); then
    printf '%s\n' "$log" | tail -20 >&2
    exit 2
  fi
  VEXACONV=$build/bin/vexaconv
fi
