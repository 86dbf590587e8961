#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Wexlo need, when missing.
set -euo pipefail

# The test list. tinyproxy-bin is the proxy program alone: the tests start their own, and the
# "tinyproxy" package would also start a system proxy daemon that nobody asked for.
packages=(
  g++ make cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins
  # lupdate/lrelease and their CMake package (the .ts files become .qm files in the build), and
  # Qt's own translations of its dialogs and buttons
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libcurl4-openssl-dev libsodium-dev
  # the libraries the program opens when it first needs them (it does not link them)
  libcurl4 libsodium23
  # signs update packages in the tests (and for the maker)
  minisign
  libgtest-dev libgmock-dev
  libcpp-httplib-dev python3-pyftpdlib tinyproxy-bin
  # the certificate of the HTTPS server the redirect test starts (without it the test skips)
  openssl
  # the baseline of bench/bench_download.cpp
  curl
  poppler-utils fonts-dejavu-core fonts-liberation
  xvfb xauth imagemagick
  # the accessibility test on the desktop's accessibility bus (tests/tools/with-a11y-bus.sh)
  dbus-daemon at-spi2-core
  # CI's check that scripts/run.sh starts the program on a fresh Debian root (.ci/fresh-root.sh):
  # the root, and xwininfo and xprop to find its window on the host's virtual display
  debootstrap x11-utils
  # the Debian package (scripts/package.sh), the field's checkers, and xdotool, which drives the
  # update road on the fresh root's display (.ci/package.sh, .ci/package-root.sh)
  build-essential debhelper dpkg-dev fakeroot lintian appstream desktop-file-utils xdotool
  # libFuzzer builds and readable sanitizer stacks (scripts/ci-extra.sh)
  clang-14 libclang-rt-14-dev llvm-14
)
# What scripts/run.sh needs to build and start the program. make is there for a plain
# "cmake -S . -B b && cmake --build b" (CMake's default generator); the scripts use ninja.
# fonts-dejavu-core gives the proportional "Sans Serif" of the menus and dialogs: with only
# Liberation installed, fontconfig answers it with Liberation Mono. libcurl4 and libsodium23 are
# opened by the program when it first needs them, not linked, so they are named here themselves.
# The build makes the translations (qt6-l10n-tools, qt6-tools-dev); the program shows Qt's own
# dialogs in the user's language with qt6-translations-l10n.
if [ "${1:-}" = "--run-only" ]; then
  packages=(g++ make cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
            qt6-qpa-plugins qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
            libcurl4-openssl-dev libsodium-dev libcurl4 libsodium23
            fonts-dejavu-core fonts-liberation)
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
