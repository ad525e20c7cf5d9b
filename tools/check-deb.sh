#!/usr/bin/env bash
# Tries the Debian package as a new user would on a fresh Debian 12: installs it with apt into a
# clean root, checks its files and libraries, starts the program, purges it and checks that
# nothing of it is left. Needs root and the network. Usage: tools/check-deb.sh [weldcalc_<version>_amd64.deb]
# (default: the newest one in build/). The clean root is made once with debootstrap and kept
# as a tarball, and the downloaded packages are kept, under ~/.cache/weldcalc (WELDCALC_CACHE).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $(id -u) -ne 0 ]]; then
  echo "Run as root: debootstrap, chroot and mounts need it." >&2
  exit 1
fi
deb=${1:-$(ls -t build/weldcalc_*_*.deb 2>/dev/null | head -n 1 || true)}
if [[ ! -f "$deb" ]]; then
  echo "No package '$deb': make one with tools/package-deb.sh or name it." >&2
  exit 1
fi
deb=$(realpath "$deb")
source "$(dirname "$0")/install-packages.sh"
install_missing_packages debootstrap

source "$(dirname "$0")/cache-folder.sh"
cache=$weld_cache
tarball=$cache/debian-12-minbase.tar.gz
archives=$cache/debian-12-archives
mkdir -p "$archives/partial"

root=$(mktemp -d /var/tmp/weldcalc-deb-check.XXXXXX)
chmod 0755 "$root" # it becomes /, which every user reads
mounts=()
cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" || umount --lazy "${mounts[i]}" || true
  done
  # Never delete through a mount that is still there.
  if grep -q " $root/" /proc/mounts; then
    echo "Left $root in place: something is still mounted in it." >&2
  else
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT

step() { printf '\n== %s\n' "$*"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

if [[ -f "$tarball" ]]; then
  step "clean Debian 12 root from $tarball"
  tar -C "$root" --numeric-owner -xzf "$tarball"
else
  step "clean Debian 12 root by debootstrap (kept as $tarball)"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$root.log" 2>&1 ||
    { tail -n 30 "$root.log"; rm -f "$root.log"; fail "debootstrap"; }
  rm -f "$root.log"
  tar -C "$root" --numeric-owner --one-file-system -czf "$tarball.part" . && mv "$tarball.part" "$tarball"
fi

package=$(basename "$deb")
cp "$deb" "$root/tmp/$package"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc" && mounts+=("$root/proc")
# apt and the program need /dev/null and friends; a root made inside a container may lack them.
if [[ ! -c "$root/dev/null" ]]; then
  mount --bind /dev "$root/dev" && mounts+=("$root/dev")
else
  # apt logs the maintainer scripts' output through a pseudo-terminal.
  mount --bind /dev/pts "$root/dev/pts" && mounts+=("$root/dev/pts")
fi
mount --bind "$archives" "$root/var/cache/apt/archives" && mounts+=("$root/var/cache/apt/archives")

in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
# Every name on the root's own file system, but for the places that change by themselves.
snapshot() {
  in_root find / -xdev \( -path /proc -o -path /dev -o -path /tmp -o -path /var/cache/apt \
    -o -path /var/lib/apt/lists -o -path /var/log -o -path /var/cache/debconf \) -prune -o -print |
    sort
}

step "apt-get update"
in_root apt-get update -qq
in_root useradd --create-home --shell /bin/bash designer
before=$(snapshot)

step "apt-get install ./$package (dependencies only, no recommended packages)"
in_root sh -c "cd /tmp && apt-get install -y -q --no-install-recommends ./$package" |
  grep -E 'newly installed|^Setting up weldcalc'
in_root dpkg-query -W -f='${Package} ${Version} ${Architecture}\n' weldcalc
listing=$(in_root dpkg -L weldcalc)
files=$(while read -r path; do [[ -d "$root$path" ]] || echo "$path"; done <<<"$listing")
step "installed files"
echo "$files"

for expected in /usr/bin/weldcalc /usr/share/applications/example.tarvelin.weldcalc.desktop \
  /usr/share/metainfo/example.tarvelin.weldcalc.metainfo.xml \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/weldcalc.png; do
  grep -qx "$expected" <<<"$files" || fail "$expected is not installed"
done
plugin=$(grep '/libweld_webengine\.so$' <<<"$files") || fail "the web-engine plugin is not installed"

step "libraries of the program and of the plugin"
for binary in /usr/bin/weldcalc "$plugin"; do
  unresolved=$(in_root ldd "$binary" | grep 'not found' || true)
  [[ -z "$unresolved" ]] || fail "$binary: $unresolved"
  echo "$binary: $(in_root ldd "$binary" | wc -l) libraries, all found"
done
# The program looks for the plugin in a folder relative to its own; that folder must be the
# installed one. The program holds the folder's name in UTF-16, hence the zero bytes dropped.
relative=$(tr -d '\0' <"$root/usr/bin/weldcalc" | grep -m 1 -aoE '\.\./lib[[:alnum:]_./-]*/weldcalc/plugins' || true)
[[ -n "$relative" && "$(realpath -m "/usr/bin/$relative")" == "$(dirname "$plugin")" ]] ||
  fail "the program looks for its plugin in '/usr/bin/$relative', installed is $plugin"
echo "plugin folder /usr/bin/$relative = $(dirname "$plugin")"

step "start as the user 'designer' (offscreen, stopped after 5 s)"
status=0
in_root runuser -u designer -- env HOME=/home/designer QT_QPA_PLATFORM=offscreen \
  timeout 5 weldcalc >"$root/tmp/weldcalc.out" 2>&1 || status=$?
cat "$root/tmp/weldcalc.out"
# 124: still running its event loop when the time was up.
[[ $status -eq 124 ]] || fail "weldcalc ended with status $status before it was stopped"
echo "still running after 5 s: stopped by timeout (status 124)"

step "apt-get remove --purge weldcalc"
in_root apt-get remove --purge -y -q weldcalc | grep -E 'to remove|^Removing|^Purging'
while read -r path; do
  # "/." is the root itself, which packages built by dpkg-deb list.
  [[ "$path" != "/." && -e "$root$path" ]] || continue
  if [[ -d "$root$path" ]]; then
    in_root dpkg -S "$path" >/dev/null 2>&1 || fail "$path stays, owned by no package"
  else
    fail "$path stays after the purge"
  fi
done <<<"$listing"
leftovers=$(in_root find / -xdev \( -path /proc -o -path /dev -o -path /tmp \) -prune -o \
  -iname '*weldcalc*' -print)
[[ -z "$leftovers" ]] || fail "left after the purge: $leftovers"
echo "no file of the package is left; nothing named weldcalc anywhere"

step "apt-get autoremove --purge (the dependencies)"
in_root apt-get autoremove --purge -y -q | grep -E 'to remove'
after=$(snapshot)
changes=$(diff <(echo "$before") <(echo "$after") || true)
if [[ -n "$changes" ]]; then
  echo "differences from the root before the installation:"
  echo "$changes"
else
  echo "the root holds the same files as before the installation"
fi
echo
echo "PASSED: $package installs, starts and purges cleanly on Debian 12"
