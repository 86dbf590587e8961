#!/usr/bin/env bash
# Builds the Debian package wexlo with Debian's own tools and prints the .deb's path (under
# dist/) as its last line. Arguments go to CMake, e.g. the maker's update key:
#   scripts/package.sh -DWEXLO_UPDATE_PUBLIC_KEY=RW...
# The version is project()'s in CMakeLists.txt; when debian/changelog does not name it yet, an
# entry for it is added first.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential debhelper dpkg-dev fakeroot cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libgl-dev libcurl4-openssl-dev libsodium-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

version=$(sed -n 's/^project(Wexlo VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
date=$(sed -n 's/^set(WEXLO_RELEASE_DATE \([0-9-]*\))/\1/p' CMakeLists.txt)
[ -n "$version" ] && [ -n "$date" ] || { echo "package.sh: no version or release date in CMakeLists.txt" >&2; exit 1; }
if [ "$(dpkg-parsechangelog -S Version)" != "$version" ]; then
  {
    echo "wexlo ($version) unstable; urgency=medium"
    echo
    echo "  * Release $version."
    echo
    echo " -- Wexlo Software <bugs@wexlo.example>  $(date -R -u -d "$date 12:00")"
    echo
    cat debian/changelog
  } >debian/changelog.new
  mv debian/changelog.new debian/changelog
  echo "debian/changelog: added $version" >&2
fi

# ccache, when there, keeps a rebuild of the same sources short.
if command -v ccache >/dev/null; then
  set -- -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
export WEXLO_CMAKE_ARGS="$*"
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-parallel=2}"
# WEXLO_PACKAGE_KEEP_BUILD=1 keeps the build folder (obj-*) for the next call, which then
# compiles only what changed: CI builds two versions one after the other. Only debhelper's
# records of the last run go, so that every step runs again.
keep=()
if [ -n "${WEXLO_PACKAGE_KEEP_BUILD:-}" ]; then
  keep=(-nc)
  rm -rf debian/.debhelper debian/debhelper-build-stamp debian/*.debhelper.log debian/*.substvars \
         debian/files debian/wexlo debian/tmp
fi
dpkg-buildpackage -b -us -uc "${keep[@]}" >&2
[ -n "${WEXLO_PACKAGE_KEEP_BUILD:-}" ] || rm -rf obj-*
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
mkdir -p dist
[ -f dist/.gitignore ] || echo "*" >dist/.gitignore
for f in ../wexlo_"$version"_"$arch".deb ../wexlo-dbgsym_"$version"_"$arch".deb \
         ../wexlo_"$version"_"$arch".buildinfo ../wexlo_"$version"_"$arch".changes; do
  [ -e "$f" ] && mv -f "$f" dist/
done
realpath "dist/wexlo_${version}_${arch}.deb"
