#!/usr/bin/env bash
# Builds a release build with the benchmarks and runs every one of them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
dir=build-bench
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
cmake -S . -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DWEXLO_BUILD_TESTS=OFF -DWEXLO_BUILD_BENCH=ON
cmake --build "$dir" --parallel "$(nproc)"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
for b in "$dir"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
