#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Proves the last commit on another Debian release, as a fresh machine of that release meets it: a
# clean chroot of the release (Debian 13 "trixie" unless told otherwise) made with debootstrap from
# Debian's package registry, a clone of the commit in it, and ./test run there (which installs
# everything it needs, so the release's own Qt, compilers, clang-format and Orca are what is tested).
#   tools/debian-chroot.sh [SUITE [COMMAND ...]]     (default: trixie ./test, in the clone)
# Needs root (a chroot in namespaces of its own) and the network to Debian's registry. The minimal
# base system is cached in KORVEL_CHROOT_CACHE (default /var/cache/korvel-solitaire) and made again
# after a week; the packages downloaded are kept there too. The chroot itself is new each time and
# removed after, with every process and mount it had; KORVEL_CHROOT_KEEP=1 keeps it for a look.
set -euo pipefail
cd "$(dirname "$0")/.."
suite=${1:-trixie}
shift $(($# > 0 ? 1 : 0))
command=("$@")
[[ ${#command[@]} -gt 0 ]] || command=(./test)
mirror=${KORVEL_DEBIAN_MIRROR:-http://deb.debian.org/debian}
cache=${KORVEL_CHROOT_CACHE:-/var/cache/korvel-solitaire}

[[ $(id -u) -eq 0 ]] || { echo "debian-chroot.sh: run as root (it makes a chroot and mounts in it)" >&2; exit 2; }
command -v debootstrap >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap >/dev/null
commit=$(git rev-parse --verify HEAD)
[[ -z $(git status --porcelain --untracked-files=no) ]] ||
  echo "debian-chroot.sh: the tree has uncommitted changes; the chroot tests the last commit, $commit" >&2

# The base: debootstrap's minimal system with git, the release's updates and security updates, and
# no service started by a package's installation. One maker at a time.
mkdir -p "$cache/$suite-archives/partial"
base=$cache/$suite-base.tar
exec 9>"$cache/$suite.lock"
flock 9
if [[ ! -f $base || -n $(find "$base" -mtime +7) ]]; then
  echo "Making the $suite base system (cached in $cache)"
  fresh=$(mktemp -d /var/tmp/korvel-base.XXXXXX)
  debootstrap --variant=minbase --include=git,ca-certificates --cache-dir="$cache/$suite-archives" \
    "$suite" "$fresh" "$mirror" >"$fresh.log" 2>&1 || { cat "$fresh.log" >&2; rm -rf "$fresh" "$fresh.log"; exit 1; }
  cat >"$fresh/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb ${mirror%/debian}/debian-security $suite-security main
EOF
  printf '#!/bin/sh\nexit 101\n' >"$fresh/usr/sbin/policy-rc.d"
  chmod 755 "$fresh/usr/sbin/policy-rc.d"
  rm -f "$fresh"/var/cache/apt/archives/*.deb
  find "$fresh/var/lib/apt/lists" -type f -delete
  tar -C "$fresh" -cf "$base.new" .
  mv "$base.new" "$base"
  rm -rf "$fresh" "$fresh.log"
fi
exec 9>&-

work=$(mktemp -d /var/tmp/korvel-chroot.XXXXXX)
root=$work/root
cleanup() {
  # The mounts were made in a mount namespace that has ended; nothing under the root is mounted here.
  if [[ ${KORVEL_CHROOT_KEEP:-0} == 1 ]]; then
    echo "debian-chroot.sh: the chroot is kept in $root" >&2
  elif ! grep -qF " $root/" /proc/self/mountinfo; then
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
mkdir "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone --quiet --no-hardlinks . "$root/root/korvel-solitaire"
git -C "$root/root/korvel-solitaire" checkout --quiet --detach "$commit"
echo "Running ${command[*]} on Debian $suite, commit $commit"

# Its own mount and process namespaces: every mount goes when it ends, and so does every process
# started inside (Xvfb, buses, Orca), however the command ends.
unshare --mount --propagation private --pid --fork --kill-child --mount-proc="$root/proc" \
  bash -c '
    root=$1 archives=$2
    shift 2
    mount --rbind /dev "$root/dev"
    mount --rbind /sys "$root/sys"
    mount -t tmpfs -o mode=755 tmpfs "$root/run"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      LANG=C.UTF-8 TERM=dumb bash -c "cd /root/korvel-solitaire && exec \"\$@\"" bash "$@"' \
  bash "$root" "$cache/$suite-archives" "${command[@]}"
