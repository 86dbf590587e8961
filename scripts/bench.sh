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
  # Start-up to the first paint is seen on an X server of its own, without a window manager.
  if [ "$(basename "$b")" = bench_startup_exec ] && command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "$b"
  else
    "$b"
  fi
done
