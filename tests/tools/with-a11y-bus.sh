#!/usr/bin/env bash
# Runs a test program as a screen reader meets the program: on Xvfb, with a private session bus
# and the desktop's accessibility bus (as Orca uses it), and Qt's bridge to that bus switched on.
# Usage: with-a11y-bus.sh /path/to/at-spi-bus-launcher program [arguments...]
set -euo pipefail
launcher="$1"
shift
exec dbus-run-session -- bash -c '
  launcher="$1"; shift
  "$launcher" --launch-immediately >/dev/null 2>&1 &
  bus=$!
  trap "kill $bus 2>/dev/null || true" EXIT
  xvfb-run -a env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 WEXLO_A11Y_BUS=1 "$@"
' with-a11y-bus "$launcher" "$@"
