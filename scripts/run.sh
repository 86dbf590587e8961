#!/usr/bin/env bash
# Installs what is missing, builds Wexlo (the program only, not its tests) and starts it.
# Arguments go to the program (for example: scripts/run.sh --home ~/loans).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --run-only
export WEXLO_BUILD_DIR="${WEXLO_BUILD_DIR:-build}"
# A build folder that scripts/test.sh configured with the tests stays so; only the program is built.
scripts/build.sh --target wexlo
exec "$WEXLO_BUILD_DIR/wexlo" "$@"
