#!/usr/bin/env bash
# The README's first command on a freshly made Debian 12: a root of the
# "important" packages alone, made by mmdebstrap from this machine's own apt
# sources and configuration, with a copy of the sources in it. There,
# `./setup.sh play` with no display must install the play packages, build
# the game and its pictures and nothing the tests need, start the game and
# end with its one-line no-display message and status 1.
# Its pictures must have the bytes of those in DRAWN, drawn by a machine
# with the test set's fonts.
#   clean_root.sh SOURCES CACHE DRAWN
# The base root is kept in CACHE as a tarball, so that a second run does not
# download it again. Needs root (mmdebstrap, chroot, mounts); skipped where
# it cannot run or the package archive cannot be reached.
set -u
sources=$(realpath "$1")
mkdir -p "$2"
cache=$(realpath "$2")
drawn=$(realpath "$3")

skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "needs root"
for tool in mmdebstrap unshare chroot git tar; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
git -C "$sources" rev-parse --is-inside-work-tree >/dev/null 2>&1 || skip "the sources are not a git work tree"

work=$(mktemp -d "$cache/run.XXXXXX")
# The mounts live in their own namespace (below) and end with it; nothing
# of the host is mounted here when this removes the root.
trap 'rm -rf "$work"' EXIT
unreachable='Could not resolve|Temporary failure resolving|Failed to fetch|Unable to connect|Connection (failed|timed out|refused)|Network is unreachable'
started=$(date +%s)

base=$cache/bookworm-important.tar
if [ ! -s "$base" ]; then
    echo "-- making the base root (cached in $base)"
    # The sources list is emptied (no mirror of our own), then this machine's
    # sources and apt configuration are copied in before apt first runs.
    copy_apt='cp -a /etc/apt/apt.conf.d/. "$1/etc/apt/apt.conf.d/";
        for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
            if [ -f "$f" ]; then cp "$f" "$1$f"; fi
        done'
    if ! mmdebstrap --variant=important --setup-hook="$copy_apt" bookworm "$work/base.tar" - \
            </dev/null >"$work/mmdebstrap.log" 2>&1; then
        tail -n 30 "$work/mmdebstrap.log"
        grep -Eq "$unreachable" "$work/mmdebstrap.log" && skip "the package archive cannot be reached"
        echo "FAIL: mmdebstrap"
        exit 1
    fi
    mv "$work/base.tar" "$base"
fi
echo "-- the base root: $(($(date +%s) - started)) s"

root=$work/root
mkdir -p "$root/root/purumoke"
tar -xf "$base" -C "$root"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
# The sources as git sees them (changes not yet committed included).
git -C "$sources" ls-files -z -co --exclude-standard \
    | (cd "$sources" && tar --null -T - -cf -) | tar -xf - -C "$root/root/purumoke"

# Runs a command in the root as a fresh login would, without a display,
# niced so that the suite's other tests keep their pace:
# /proc and the few devices apt and the compilers use are mounted in a
# private mount namespace, which takes them along when it ends.
in_root() {
    unshare --mount --pid --fork --kill-child -- bash -c '
        set -e
        root=$1; shift
        mount --make-rprivate /
        mount -t proc proc "$root/proc"
        mount -t tmpfs -o mode=755 dev "$root/dev"
        for node in null zero full random urandom tty; do
            touch "$root/dev/$node"
            mount --bind "/dev/$node" "$root/dev/$node"
        done
        ln -s /proc/self/fd "$root/dev/fd"
        mkdir -p "$root/dev/shm" "$root/dev/pts"
        mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
        ln -s pts/ptmx "$root/dev/ptmx"
        exec nice -n 10 chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
            LANG=C.UTF-8 TERM=dumb bash -c "$*"' in_root "$root" "$@"
}

echo "-- what the play packages take on a fresh root"
in_root 'cd /root/purumoke && source <(sed -n "/^play_packages=(/,/^)/p" setup.sh)
    apt-get update -qq && apt-get install --assume-no --no-install-recommends "${play_packages[@]}"' \
    >"$work/plan.log" 2>&1
grep -Eq "$unreachable" "$work/plan.log" && { cat "$work/plan.log"; skip "the package archive cannot be reached"; }
grep -E "newly installed|Need to get|After this operation" "$work/plan.log"

echo "-- ./setup.sh play"
before=$(date +%s)
in_root 'cd /root/purumoke && ./setup.sh play' >"$work/play.log" 2>&1
status=$?
echo "status $status after $(($(date +%s) - before)) s; its last lines:"
tail -n 5 "$work/play.log"
if grep -Eq "$unreachable" "$work/play.log" && [ "$status" -ne 1 ]; then
    skip "the package archive cannot be reached"
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ "$status" -eq 1 ] || fail "status $status, not the game's 1 for no display"
tail -n 1 "$work/play.log" | grep -Eq '^purumoke: no display to show the game on \(.*\)$' \
    || fail "the last line is not the game's no-display message"
built=$root/root/purumoke/build
[ -f "$built/title1.BMP" ] && [ -f "$built/EVE15@2x.BMP" ] || fail "the pictures were not drawn"
for picture in "$built"/*.BMP; do
    cmp -s "$picture" "$drawn/${picture##*/}" || fail "${picture##*/} differs from the one drawn here"
done
extra=$(find "$built" -type f -executable \( -name 'tst_*' -o -name 'bench_*' -o -name 'fuzz_*' \
    -o -name screenshots \) -printf '%P\n')
[ -z "$extra" ] || fail "built for the tests: $extra"
[ ! -e "$built/tests" ] || fail "the tests were configured"

echo "whole run: $(($(date +%s) - started)) s"
if [ "$failures" -gt 0 ]; then
    cat "$work/play.log"
    exit 1
fi
echo "clean root: ./setup.sh play built the game alone and it said there is no display"
