#!/usr/bin/env bash
# Installs what is missing, builds Wexlo with its tests and runs every test with ctest.
# Arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export WEXLO_BUILD_DIR="${WEXLO_BUILD_DIR:-build}"
# The folder may have been configured by scripts/run.sh, without the tests; switch them on once.
if grep -qsx 'WEXLO_BUILD_TESTS:BOOL=ON' "$WEXLO_BUILD_DIR/CMakeCache.txt"; then
  scripts/build.sh
else
  scripts/build.sh -DWEXLO_BUILD_TESTS=ON
fi
cd "$WEXLO_BUILD_DIR"
ctest --output-on-failure --parallel "$(nproc)" "$@"
