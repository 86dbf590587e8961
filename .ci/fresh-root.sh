#!/usr/bin/env bash
# CI: the README's first step on a fresh Debian 12. Builds a minimal root with debootstrap from the
# Debian sources this machine's apt uses, clones the commit under test into it, runs
# "scripts/run.sh" there as root, as a new user would, and passes when the main window "Wexlo"
# shows on a virtual display of this machine. The root reaches that display through its socket
# alone, so it holds nothing but what debootstrap and run.sh put there.
# WEXLO_FRESH_ROOT_TIMEOUT bounds run.sh's install, build and start (seconds, default 1200);
# WEXLO_FRESH_ROOT_SHOT=FILE.png keeps a screenshot of the display.
# When .ci/package.sh has made dist/ci/, a second copy of the fresh root, untouched by run.sh,
# gets the Debian package and the update road (.ci/package-root.sh), once the package build is
# done (dist/ci/ready; .ci/run builds it beside this check and names its output in
# WEXLO_PACKAGE_LOG).
set -euo pipefail
cd "$(dirname "$0")/.."
src="$(pwd)"
rev="$(git rev-parse HEAD)"
suite=bookworm
timeout="${WEXLO_FRESH_ROOT_TIMEOUT:-1200}"
start=$SECONDS

scripts/deps.sh

work="$(mktemp -d /var/tmp/wexlo-fresh-root.XXXXXX)"
root="$(realpath "$work")/root"
xvfb_pid=""

# Ends what still runs inside the root, takes down its mounts and only then removes it: with a
# mount left, the removal would reach into the host's /dev or /tmp/.X11-unix.
stop_root() {
  local sig p
  for sig in TERM KILL; do
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -s "$sig" "${p#/proc/}" 2>/dev/null
    done
    sleep 1
  done
}
cleanup() {
  local status=$? m mounts
  set +e
  stop_root
  mounts=$(findmnt -rn -o TARGET | grep -F "$work/" | sort -r)
  for m in $mounts; do umount "$m" || umount -l "$m"; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  if findmnt -rn -o TARGET | grep -qF "$work/"; then
    echo "fresh root: mounts under $root are still there; the root is left in place" >&2
    status=1
  else
    rm -rf --one-file-system "$work"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The Debian sources of this machine's apt ("URI suite component"), as apt itself reports them.
mapfile -t sources < <(apt-cache policy | awk '
  $1 ~ /^[0-9]+$/ && $2 ~ /^(https?|file):/ && $3 ~ "^'"$suite"'[^/]*/" {
    uri = $2; split($3, dist, "/"); getline
    if ($0 ~ /o=Debian,/) print uri, dist[1], dist[2]
  }' | sort -u)
mirror=""
for s in "${sources[@]}"; do
  read -r uri dist _ <<<"$s"
  [ "$dist" = "$suite" ] && mirror="$uri"
done
if [ -z "$mirror" ]; then
  echo "fresh root: this machine's apt has no Debian source for $suite" >&2
  exit 1
fi

echo "== fresh root: debootstrap $suite from $mirror"
t=$SECONDS
timeout 900 debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -n 30 "$work/debootstrap.log"; exit 1; }
echo "debootstrap: $((SECONDS - t)) s"
: >"$root/etc/apt/sources.list"
for s in "${sources[@]}"; do
  read -r uri dist comp <<<"$s"
  echo "deb $uri $dist $comp" >>"$root/etc/apt/sources.list"
done
# A proxy this machine's apt goes through is needed by the root's apt as well.
apt-config dump | grep -iE '^Acquire::[a-z]+::Proxy ' >"$root/etc/apt/apt.conf.d/01proxy" || true
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
packages="$src/dist/ci"
if [ -d "$packages" ]; then
  cp -a "$root" "$work/package-root"
fi

git clone -q "$src" "$root/root/wexlo"
git -C "$root/root/wexlo" checkout -q --detach "$rev"

# The virtual display; Xvfb picks a free number and tells it through fd 3.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 30 display_number <"$work/display" || { cat "$work/xvfb.log"; exit 1; }
display=":$display_number"

mount -t proc proc "$root/proc"
mount -t sysfs -o ro sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"

echo "== fresh root: scripts/run.sh"
t=$SECONDS
chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb DISPLAY="$display" \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  /bin/bash -lc 'cd ~/wexlo && scripts/run.sh' </dev/null >"$work/run.log" 2>&1 &
run_pid=$!

# The main window: a viewable top-level window named "Wexlo" of the normal type (the splash
# screen has the same name).
main_window() {
  local id
  for id in $(xwininfo -display "$display" -root -children 2>/dev/null |
                awk '$2 == "\"Wexlo\":" { print $1 }'); do
    xwininfo -display "$display" -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
    xprop -display "$display" -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null |
      grep -q '_NET_WM_WINDOW_TYPE_NORMAL' && { echo "$id"; return 0; }
  done
  return 1
}

found=""
while [ $((SECONDS - t)) -lt "$timeout" ]; do
  if ! kill -0 "$run_pid" 2>/dev/null; then
    break
  fi
  if found=$(main_window); then
    break
  fi
  sleep 2
done
if [ -z "$found" ]; then
  tail -n 60 "$work/run.log"
  if kill -0 "$run_pid" 2>/dev/null; then
    echo "fresh root: FAILED: no window \"Wexlo\" within $timeout s"
  else
    wait "$run_pid" && rc=0 || rc=$?
    echo "fresh root: FAILED: scripts/run.sh ended (exit $rc) without showing the window \"Wexlo\""
  fi
  exit 1
fi
echo "run.sh until the main window shows: $((SECONDS - t)) s"
# Still there once it has settled (its layout done), not only for a moment.
sleep 3
if ! found=$(main_window); then
  tail -n 60 "$work/run.log"
  echo "fresh root: FAILED: the window \"Wexlo\" went away again"
  exit 1
fi
xwininfo -display "$display" -id "$found" | grep -E 'Window id|Width|Height|Map State'
if [ -n "${WEXLO_FRESH_ROOT_SHOT:-}" ]; then
  import -display "$display" -window root "$WEXLO_FRESH_ROOT_SHOT" && echo "screenshot: $WEXLO_FRESH_ROOT_SHOT"
fi
stop_root
wait "$run_pid" 2>/dev/null || true
# The processor time of the check and of everything that ran in the root (user, system): on a
# busy machine a fairer measure of its cost than the wall time.
times >"$work/times"
echo "processor time (user, system): $(tail -n 1 "$work/times")"
if [ -d "$packages" ]; then
  # .ci/run builds the package while this check runs: its road waits until the build is done.
  t=$SECONDS
  while [ ! -e "$packages/ready" ] && [ ! -e "$packages/failed" ] && [ $((SECONDS - t)) -lt 2400 ]; do
    sleep 5
  done
  echo "waited $((SECONDS - t)) s for the package build"
  [ -n "${WEXLO_PACKAGE_LOG:-}" ] && cat "$WEXLO_PACKAGE_LOG"
  if [ ! -e "$packages/ready" ]; then
    echo "fresh root: FAILED: the package build did not end well (.ci/package.sh)"
    exit 1
  fi
  .ci/package-root.sh "$work/package-root" "$display" "$packages"
fi
echo "fresh root: passed (main window shown; whole check $((SECONDS - start)) s)"
