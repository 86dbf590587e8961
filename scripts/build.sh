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
# Qt's moc step of an existing build folder can miss headers added since (the sources are
# globbed); start it afresh whenever the set of headers changed.
headers=$(find src tests -name '*.h' | sort | md5sum | cut -d' ' -f1)
if [ "$(cat "$dir/.wexlo-headers" 2>/dev/null)" != "$headers" ]; then
  rm -rf "$dir"/src/*_autogen "$dir"/tests/*_autogen "$dir"/bench/*_autogen
fi
cmake --build "$dir" --parallel "$(nproc)"
echo "$headers" > "$dir/.wexlo-headers"
