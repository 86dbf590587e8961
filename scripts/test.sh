#!/usr/bin/env bash
# Installs what is missing, builds Wexlo with its tests and runs every test with ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
WEXLO_BUILD_DIR="${WEXLO_BUILD_DIR:-build}" scripts/build.sh
cd "${WEXLO_BUILD_DIR:-build}"
ctest --output-on-failure --parallel "$(nproc)" "$@"
