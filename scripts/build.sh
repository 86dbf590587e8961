#!/usr/bin/env bash
# Configures and builds into build/ (or $WEXLO_BUILD_DIR). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${WEXLO_BUILD_DIR:-build}"
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${gen[@]}" "$@"
elif [ $# -gt 0 ]; then
  cmake -S . -B "$dir" "$@"
fi
cmake --build "$dir" --parallel "$(nproc)"
