#!/usr/bin/env bash
# CI: the Debian package. Builds it with the tests' update key (a fresh minisign key) and a
# loopback update server, runs the field's three checkers on it, and builds the next version
# from a copy of the tree with the version raised, signed with the same key, for the update road
# that .ci/fresh-root.sh drives on a fresh Debian root (.ci/package-root.sh). Everything goes
# into dist/ci/, and dist/ci/ready (or failed) when it is done.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
out="$PWD/dist/ci"
rm -rf "$out"
mkdir -p "$out"
work="$(mktemp -d /var/tmp/wexlo-package.XXXXXX)"
tree=""
# How it ended, for .ci/fresh-root.sh, which may be waiting for it: dist/ci/ready or failed.
finish() {
  local status=$?
  rm -rf "$work" "$tree"
  if [ "$status" -eq 0 ]; then touch "$out/ready"; else touch "$out/failed"; fi
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM

minisign -G -W -p "$out/test.pub" -s "$out/test.key" >/dev/null
key=$(sed -n 2p "$out/test.pub")
# The update server the packages ask: a loopback port that .ci/package-root.sh serves on.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
echo "http://127.0.0.1:$port" >"$out/server"
cmake_args=(-DWEXLO_UPDATE_PUBLIC_KEY="$key" -DWEXLO_UPDATE_SERVER="http://127.0.0.1:$port")

# Both versions are built in one copy of the commit, one after the other, on one build folder:
# the second compiles only what the version changes.
export WEXLO_PACKAGE_KEEP_BUILD=1
tree=/var/tmp/wexlo-package-tree
rm -rf "$tree" "$(dirname "$tree")"/wexlo_* "$(dirname "$tree")"/wexlo-dbgsym_*
mkdir "$tree"
git archive HEAD | tar -x -C "$tree"

echo "== package: this version"
t=$SECONDS
deb=$("$tree/scripts/package.sh" "${cmake_args[@]}" 2>"$work/build.log" |
      tail -n 1) || { tail -n 40 "$work/build.log"; exit 1; }
cp "$deb" "$out/"
deb="$out/$(basename "$deb")"
echo "$(basename "$deb"): $((SECONDS - t)) s"
dpkg-deb --field "$deb" Package Version Depends

echo "== package: the checkers"
lintian --fail-on error,warning --info "$deb"
echo "lintian: no error, no warning"
dpkg-deb -x "$deb" "$work/unpacked"
appstreamcli validate --no-net "$work"/unpacked/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$work"/unpacked/usr/share/applications/*.desktop
echo "desktop-file-validate: passed"

echo "== package: the next version, the copy's version raised"
t=$SECONDS
version=$(dpkg-deb --field "$deb" Version)
IFS=. read -r major minor patch <<<"$version"
next="$major.$minor.$((patch + 1))"
sed -i "s/^project(Wexlo VERSION $version /project(Wexlo VERSION $next /" "$tree/CMakeLists.txt"
next_deb=$("$tree/scripts/package.sh" "${cmake_args[@]}" 2>"$work/next.log" |
           tail -n 1) || { tail -n 40 "$work/next.log"; exit 1; }
[ "$(dpkg-deb --field "$next_deb" Version)" = "$next" ]
cp "$next_deb" "$out/"
record=$(printf '%d.%02d.%04d' "$major" "$minor" "$((patch + 1))")
minisign -S -s "$out/test.key" -m "$out/$(basename "$next_deb")" \
  -t "timestamp:$(date +%s)	file:$(basename "$next_deb")	version:$record" >/dev/null
echo "$(basename "$next_deb") (signed for $record): $((SECONDS - t)) s"
echo "package: passed ($((SECONDS - start)) s)"
