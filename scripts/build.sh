#!/usr/bin/env bash
# Configures and builds into build/ (or $WEXLO_BUILD_DIR). Arguments go to cmake's configure step,
# except "--target NAME", which builds only that target (may be repeated).
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${WEXLO_BUILD_DIR:-build}"
args=()
targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--target" ]; then
    [ $# -ge 2 ] || { echo "build.sh: --target needs a name" >&2; exit 2; }
    targets+=(--target "$2")
    shift 2
  else
    args+=("$1")
    shift
  fi
done

# The stamp is written only after a configure that succeeded, so a configure that failed or was
# stopped is run again next time instead of leaving a build folder that cannot build.
stamp="$dir/.wexlo-configured"
if [ ${#args[@]} -gt 0 ] || [ ! -f "$stamp" ] || { [ ! -f "$dir/build.ninja" ] && [ ! -f "$dir/Makefile" ]; }; then
  rm -f "$stamp"
  # A first configure that never got as far as a build system leaves only its cache behind
  # (with, say, a make program that was missing then); that one starts afresh.
  if [ -f "$dir/CMakeCache.txt" ] && [ ! -f "$dir/build.ninja" ] && [ ! -f "$dir/Makefile" ]; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  gen=()
  if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null; then gen=(-G Ninja); fi
  cmake -S . -B "$dir" "${gen[@]}" "${args[@]}"
  touch "$stamp"
fi
cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
