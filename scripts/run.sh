#!/usr/bin/env bash
# Installs what is missing, builds Wexlo and starts it. Arguments go to the program
# (for example: scripts/run.sh --home ~/loans).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --run-only
WEXLO_BUILD_DIR="${WEXLO_BUILD_DIR:-build}" scripts/build.sh
exec "${WEXLO_BUILD_DIR:-build}/wexlo" "$@"
