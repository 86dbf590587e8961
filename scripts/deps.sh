#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Wexlo need, when missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins
  libcurl4-openssl-dev libsodium-dev
  # signs update packages in the tests (and for the maker)
  minisign
  libgtest-dev libgmock-dev
  libcpp-httplib-dev python3-pyftpdlib tinyproxy
  # the baseline of bench/bench_download.cpp
  curl
  poppler-utils fonts-liberation
  xvfb xauth imagemagick
  # the accessibility test on the desktop's accessibility bus (tests/tools/with-a11y-bus.sh)
  dbus-daemon at-spi2-core
  # libFuzzer builds and readable sanitizer stacks (scripts/ci-extra.sh)
  clang-14 libclang-rt-14-dev llvm-14
)
if [ "${1:-}" = "--run-only" ]; then
  packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
            qt6-qpa-plugins libcurl4-openssl-dev libsodium-dev fonts-liberation)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
