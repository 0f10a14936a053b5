#!/usr/bin/env bash
# The README's first command on a fresh Debian 12 root ("important"
# packages alone) made by mmdebstrap from this machine's apt sources and
# configuration: `./setup.sh play`, with no display, must build the game
# and its pictures (the bytes of those in DRAWN) and nothing for the tests,
# and end with the game's no-display line and status 1.
#   clean_root.sh SOURCES CACHE DRAWN
# The base root is kept in CACHE as a tarball for the next run. Needs root;
# skipped where the package archive cannot be reached.
set -u
sources=$(realpath "$1")
mkdir -p "$2"
cache=$(realpath "$2")
drawn=$(realpath "$3")
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "needs root"
command -v mmdebstrap >/dev/null || skip "mmdebstrap is not installed"
unreachable='Could not resolve|Temporary failure resolving|Failed to fetch|Unable to connect|Network is unreachable'
work=$(mktemp -d "$cache/run.XXXXXX")
# The mounts below live in a namespace of their own and end with it.
trap 'rm -rf "$work"' EXIT
started=$(date +%s)

base=$cache/bookworm-important.tar
if [ ! -s "$base" ]; then
    # No mirror of our own: the machine's sources are copied in instead.
    copy_apt='cp -a /etc/apt/apt.conf.d/. "$1/etc/apt/apt.conf.d/"
        for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
            if [ -f "$f" ]; then cp "$f" "$1$f"; fi
        done'
    if ! mmdebstrap --variant=important --setup-hook="$copy_apt" bookworm "$work/base.tar" - \
        </dev/null >"$work/log" 2>&1; then
        tail -n 20 "$work/log"
        grep -Eq "$unreachable" "$work/log" && skip "the package archive cannot be reached"
        echo "FAIL: mmdebstrap"
        exit 1
    fi
    mv "$work/base.tar" "$base"
fi
echo "the base root after $(($(date +%s) - started)) s"

root=$work/root
mkdir -p "$root/root/purumoke"
tar -xf "$base" -C "$root"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
git -C "$sources" ls-files -z -co --exclude-standard \
    | (cd "$sources" && tar --null -T - -cf -) | tar -xf - -C "$root/root/purumoke"

# As a fresh login would, niced for the suite's other tests, with /proc and
# the devices apt and the compilers use.
before=$(date +%s)
unshare --mount --pid --fork --kill-child -- bash -c '
    set -e
    root=$1
    mount --make-rprivate /
    mount -t proc proc "$root/proc"
    mount -t tmpfs -o mode=755 dev "$root/dev"
    for node in null zero full random urandom tty; do
        touch "$root/dev/$node"
        mount --bind "/dev/$node" "$root/dev/$node"
    done
    mkdir "$root/dev/pts" "$root/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
    ln -s pts/ptmx "$root/dev/ptmx"
    ln -s /proc/self/fd "$root/dev/fd"
    exec nice chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        LANG=C.UTF-8 bash -c "cd /root/purumoke && ./setup.sh play"' - "$root" >"$work/play.log" 2>&1
status=$?
echo "./setup.sh play: status $status after $(($(date +%s) - before)) s, saying at last:"
tail -n 3 "$work/play.log"
[ "$status" -ne 1 ] && grep -Eq "$unreachable" "$work/play.log" && skip "the package archive cannot be reached"

failures=()
[ "$status" -eq 1 ] || failures+=("status $status, not the game's 1")
tail -n 1 "$work/play.log" | grep -Eq '^purumoke: no display to show the game on \(.*\)$' \
    || failures+=("the last line is not the game's no-display line")
built=$root/root/purumoke/build
for picture in "$drawn"/*.BMP; do
    cmp -s "$picture" "$built/${picture##*/}" || failures+=("${picture##*/} is not the one drawn here")
done
extra=$(find "$built" -type f -executable \( -name 'tst_*' -o -name 'bench_*' -o -name 'fuzz_*' \) -printf '%P ')
[ -z "$extra" ] && [ ! -e "$built/tests" ] || failures+=("the tests were configured or built: $extra")

echo "the whole run took $(($(date +%s) - started)) s"
[ ${#failures[@]} -eq 0 ] || { printf 'FAIL: %s\n' "${failures[@]}"; exit 1; }
echo "./setup.sh play built the game alone on a fresh root and it said there is no display"
