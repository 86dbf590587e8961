#!/usr/bin/env bash
# CI: the Debian package on a fresh Debian 12 root, as root. Usage:
#   package-root.sh ROOT DISPLAY DIR
# ROOT is a fresh debootstrap root with its apt sources, DISPLAY the host's virtual display,
# DIR what .ci/package.sh made (this version's .deb, the next version's .deb signed with the
# tests' key, the loopback update server both ask). Installs the package with apt-get, starts the menu entry's command, then drives
# the update road with xdotool: Tools / Check for Update, Download and Install, Yes, against a
# loopback server; first with the package changed after Wexlo checked it and with the install
# refused (the old version must stay and run again), then for real (the next version must be
# installed and running). Last, apt-get remove must leave the register folder alone.
set -euo pipefail
root="$1"
display="$2"
dir="$3"
start=$SECONDS
work="$(mktemp -d /var/tmp/wexlo-package-root.XXXXXX)"
server_pid=""

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
  local status=$? m
  set +e
  stop_root
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
  for m in $(findmnt -rn -o TARGET | grep -F "$root/" | sort -r); do umount "$m" || umount -l "$m"; done
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mount -t proc proc "$root/proc"
mount -t sysfs -o ro sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"

inroot() {
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb DISPLAY="$display" LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
fail() {
  echo "package root: FAILED: $*"
  [ -f "$root/root/reg/log.txt" ] && { echo "--- log.txt"; tail -n 40 "$root/root/reg/log.txt"; }
  [ -s "$work/wexlo.log" ] && { echo "--- wexlo's output"; tail -n 20 "$work/wexlo.log"; }
  exit 1
}

# A viewable window of the root's programs with this name and window type (NORMAL, DIALOG, or
# both as "NORMAL|DIALOG").
window() {
  local id
  for id in $(xwininfo -display "$display" -root -children 2>/dev/null |
                awk -v n="\"$1\":" '$2 " " $3 == n || $2 == n { print $1 }'); do
    xwininfo -display "$display" -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
    xprop -display "$display" -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null |
      grep -qE "_NET_WM_WINDOW_TYPE_($2)" && { echo "$id"; return 0; }
  done
  return 1
}
wait_window() {
  local i id
  for i in $(seq 1 "${3:-60}"); do
    id=$(window "$1" "$2") && { echo "$id"; return 0; }
    sleep 1
  done
  return 1
}
xdo() { xdotool "$@" </dev/null; }
export DISPLAY="$display"

this=$(ls "$dir"/wexlo_*.deb | sort -V | head -n 1)
next=$(ls "$dir"/wexlo_*.deb | sort -V | tail -n 1)
this_version=$(dpkg-deb --field "$this" Version)
next_version=$(dpkg-deb --field "$next" Version)
cp "$this" "$root/tmp/"

echo "== package root: apt-get install ./$(basename "$this")"
t=$SECONDS
inroot apt-get update -qq >"$work/apt.log" 2>&1 || { tail "$work/apt.log"; exit 1; }
inroot env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$this")" \
  >>"$work/apt.log" 2>&1 || { tail -n 30 "$work/apt.log"; fail "apt-get install"; }
echo "installed with its dependencies: $((SECONDS - t)) s"
inroot wexlo --version
inroot wexlo --version | grep -qx "Wexlo $this_version" || fail "wexlo --version"

command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/wexlo.desktop")
inroot sh -c "$command" >"$work/menu.log" 2>&1 &
main=$(wait_window Wexlo NORMAL) || fail "the menu entry's command ($command) showed no main window"
echo "the menu entry's command \"$command\" shows the main window"
stop_root

# The loopback server: the version file and the next version's signed package.
mkdir -p "$work/www/versions" "$work/www/pkg"
cp "$next" "$next.minisig" "$work/www/pkg/"
# The packages were built to ask this server (.ci/package.sh).
url=$(cat "$dir/server")
port=${url##*:}
record=$(sed -n 's/.*version:\([0-9.]*\).*/\1/p' "$next.minisig")
printf '%s\r\n%s/pkg/%s\r\n' "$record" "$url" "$(basename "$next")" >"$work/www/versions/WXLO_current.txt"
python3 -m http.server --bind 127.0.0.1 --directory "$work/www" "$port" >"$work/server.log" 2>&1 &
server_pid=$!
sleep 1

# The next version with one file changed: still the package wexlo of that version, but not the
# one that was signed.
dpkg-deb -R "$next" "$work/changed"
echo "<!-- changed -->" >>"$work/changed/usr/share/wexlo/Help/Index.htm"
dpkg-deb -b "$work/changed" "$work/changed.deb" >/dev/null

# Starts Wexlo, checks for an update, downloads and installs it; $1 "tamper" puts the changed
# package in place of the downloaded one after Wexlo checked it and before the user says yes.
road() {
  local main updater box
  mkdir -p "$root/root/reg"
  inroot wexlo --home /root/reg >"$work/wexlo.log" 2>&1 &
  main=$(wait_window Wexlo NORMAL) || fail "no main window"
  sleep 2
  # Tools / Check for Update: File's menu opened, three menus to the right; moving there
  # highlights the first item, else Down does.
  xdo mousemove --window "$main" 20 10 click 1
  sleep 1
  xdo key Right Right Right
  sleep 1
  xdo key Return
  if ! updater=$(wait_window "Wexlo Updater" "NORMAL|DIALOG" 10); then
    xdo mousemove --window "$main" 20 10 click 1
    sleep 1
    xdo key Right Right Right Down Return
    updater=$(wait_window "Wexlo Updater" "NORMAL|DIALOG" 30) || fail "no update window"
  fi
  # The check runs as the window opens; then "Download and Install", right of the middle.
  sleep 5
  read -r width height < <(xwininfo -display "$display" -id "$updater" |
                             awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  xdo mousemove --window "$updater" $((width * 70 / 100)) $((height * 57 / 100)) click 1
  box=$(wait_window Wexlo DIALOG 120) || fail "no question after the download"
  [ "${1:-}" = tamper ] && cp "$work/changed.deb" "$root/root/reg/WexloUpd.exe"
  xdo windowfocus --sync "$box" key Return
}
# After a failed road: the updater's window tells why, then the old Wexlo runs again.
old_stays() {
  local box
  box=$(wait_window Wexlo DIALOG 600) || fail "the updater told nothing"
  xdo windowfocus --sync "$box" key Return
  wait_window Wexlo NORMAL 60 >/dev/null || fail "the old Wexlo did not start again"
  [ "$(inroot dpkg-query -W -f='${Version}' wexlo)" = "$this_version" ] || fail "the version changed"
  grep -q "$1" "$root/root/reg/log.txt" || fail "log.txt lacks \"$1\""
  stop_root
}

echo "== package root: the update road, the package changed after Wexlo checked it"
road tamper
old_stays "Updater: Refused"
echo "refused; $this_version stays and runs again"

echo "== package root: the update road, the install refused"
inroot apt-mark hold wexlo >/dev/null
road
old_stays "Updater: The package manager did not install the package"
inroot apt-mark unhold wexlo >/dev/null
echo "install refused; $this_version stays and runs again"

echo "== package root: the update road to $next_version"
t=$SECONDS
road
for i in $(seq 1 600); do
  grep -q "Updater: Started" "$root/root/reg/log.txt" 2>/dev/null &&
    [ "$(inroot dpkg-query -W -f='${Version}' wexlo)" = "$next_version" ] && break
  sleep 1
done
[ "$(inroot dpkg-query -W -f='${Version}' wexlo)" = "$next_version" ] || fail "$next_version was not installed"
wait_window Wexlo NORMAL 60 >/dev/null || fail "the new Wexlo did not start"
inroot wexlo --version | grep -qx "Wexlo $next_version" || fail "wexlo --version after the update"
running=""
for p in /proc/[0-9]*; do
  [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] || continue
  [ "$(readlink "$p/exe" 2>/dev/null)" = "$root/usr/bin/wexlo" ] && running=yes
done
[ -n "$running" ] || fail "no Wexlo runs after the update"
echo "--- log.txt, the updater's steps"
grep "Updater:" "$root/root/reg/log.txt"
echo "updated to $next_version, running again: $((SECONDS - t)) s"
stop_root

echo "== package root: apt-get remove wexlo"
inroot env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq wexlo >>"$work/apt.log" 2>&1 ||
  fail "apt-get remove"
[ ! -e "$root/usr/bin/wexlo" ] || fail "the program is still there"
[ -f "$root/root/reg/log.txt" ] && [ -d "$root/root/.local/share/Wexlo" ] ||
  fail "the register folders went with the package"
echo "removed; the register folders stay"
echo "package root: passed ($((SECONDS - start)) s)"
