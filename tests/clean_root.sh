#!/usr/bin/env bash
# The README's commands on fresh Debian roots made by mmdebstrap from this
# machine's Debian archive.
#   clean_root.sh play SOURCES WORK CACHE DRAWN
#     A root of this machine's release ("important" packages alone):
#     `./setup.sh play`, with no display, must build the game and its
#     pictures (the bytes of those in DRAWN) and nothing for the tests, and
#     end with the game's no-display line and status 1.
#   clean_root.sh test SOURCES WORK CACHE
#     A root of the other release setup.sh supports (Debian 13 on a Debian
#     12 machine, 12 on 13): the same play, whose build then carries on into
#     `./setup.sh test`, which must pass with every test of its suite run.
#     That suite leaves out what runs on this machine's release alone (the
#     sanitizer build, the fuzzing, reprotest and these two tests).
# The roots are made in WORK and removed after the run; CACHE keeps them as
# tarballs for the next one: the base roots, and the other release's root
# with the test packages installed. Needs root; skipped where the package
# archive cannot be reached.
set -u
mode=$1
sources=$(realpath "$2")
mkdir -p "$3" "$4"
work=$(mktemp -d "$(realpath "$3")/run.XXXXXX")
cache=$(realpath "$4")
skip() { echo "SKIP: $*"; exit 77; }
fail() { printf 'FAIL: %s\n' "$@"; exit 1; }
[ "$(id -u)" -eq 0 ] || skip "needs root"
command -v mmdebstrap >/dev/null || skip "mmdebstrap is not installed"
# shellcheck source=/dev/null
case "$(. /etc/os-release && echo "$ID $VERSION_ID")" in
    "debian 12") this=bookworm other=trixie ;;
    "debian 13") this=trixie other=bookworm ;;
    *) skip "this machine runs neither Debian 12 nor 13" ;;
esac
[ "$mode" = play ] && release=$this || release=$other
unreachable='Could not resolve|Temporary failure resolving|Failed to fetch|Unable to connect|Network is unreachable'
# The mounts of a run live in a namespace of their own and end with it.
trap 'rm -rf "$work"' EXIT
started=$(date +%s)
phase_started=$started
phase() { echo "$1 after $(($(date +%s) - phase_started)) s"; phase_started=$(date +%s); }

# This machine's entries for the Debian archive in one-line form, their
# suites renamed from its release to RELEASE. Other archives are left out,
# since their keys are not in the root, and so are Debian's keys: the
# release's own keyring package holds them (keyrings of other names, for a
# mirror of one's own, are copied in).
archive_sources() {
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk -v from="$this" -v to="$1" -v deb822="$([[ $f == *.sources ]] && echo 1)" '
            function emit(options, uri, suite, components) {
                if (suite != from && index(suite, from "-") != 1) return
                gsub(/signed-by=[^] ]*\/debian-archive-[^] ]*/, "", options)
                if (options ~ /^\[ *\]$/) options = ""
                sub(from, to, suite)
                print "deb " (options == "" ? "" : options " ") uri " " suite " " components
            }
            BEGIN { if (deb822) { RS = ""; FS = "\n" } }
            !deb822 {
                sub(/#.*/, "")
                if ($1 != "deb") next
                options = ""
                if (match($0, /\[[^]]*\]/)) {
                    options = substr($0, RSTART, RLENGTH)
                    $0 = substr($0, 1, RSTART - 1) substr($0, RSTART + RLENGTH)
                }
                components = $4
                for (i = 5; i <= NF; i++) components = components " " $i
                emit(options, $2, $3, components)
            }
            deb822 {
                delete field
                for (i = 1; i <= NF; i++) {
                    if ($i !~ /^[A-Za-z-]+:/) continue
                    value = substr($i, index($i, ":") + 1)
                    gsub(/^[ \t]+|[ \t]+$/, "", value)
                    field[tolower(substr($i, 1, index($i, ":") - 1))] = value
                }
                if (field["types"] !~ /(^| )deb( |$)/ || field["enabled"] ~ /no/) next
                options = ""
                if (field["signed-by"] ~ /^\/[^ ]*$/) options = "[signed-by=" field["signed-by"] "]"
                n = split(field["uris"], uris, " ")
                m = split(field["suites"], suites, " ")
                for (u = 1; u <= n; u++)
                    for (v = 1; v <= m; v++) emit(options, uris[u], suites[v], field["components"])
            }' "$f"
    done
}

# The settings this machine gives apt for reaching the archive (a proxy,
# say): its Acquire settings that are not apt's own defaults, without the
# index targets, which belong to the tools that asked for them.
acquire_settings() {
    mkdir -p "$work/no-apt.conf.d"
    printf 'Dir::Etc::Parts "%s";\nDir::Etc::Main "/dev/null";\n' "$work/no-apt.conf.d" >"$work/no-apt.conf"
    comm -13 <(APT_CONFIG=$work/no-apt.conf apt-config dump | sort) <(apt-config dump | sort) \
        | grep -E '^Acquire::' | grep -v -E '^Acquire::IndexTargets::'
}

# Makes TARBALL, a root of RELEASE with the "important" packages alone,
# unless the cache has it already.
make_root() {
    [ -s "$2" ] && return 0
    archive_sources "$1" >"$work/sources.list"
    [ -s "$work/sources.list" ] || skip "this machine's apt sources name no Debian archive of $this"
    acquire_settings >"$work/acquire.conf"
    local key keys=()
    while read -r key; do
        keys+=(--setup-hook="mkdir -p \"\$1${key%/*}\" && cp $key \"\$1$key\"")
    done < <(grep -o 'signed-by=[^] ]*' "$work/sources.list" | cut -d= -f2 | sort -u)
    if ! mmdebstrap --variant=important --aptopt="$work/acquire.conf" "${keys[@]}" "$1" "$work/base.tar" \
        "$work/sources.list" </dev/null >"$work/mmdebstrap.log" 2>&1; then
        tail -n 20 "$work/mmdebstrap.log"
        grep -Eq "$unreachable" "$work/mmdebstrap.log" && skip "the package archive cannot be reached"
        fail "mmdebstrap $1"
    fi
    mv "$work/base.tar" "$2"
}

# Unpacks TARBALL as the root of this run, with the sources in
# /root/purumoke and the machine's resolver.
unpack_root() {
    root=$work/root
    mkdir -p "$root"
    tar -xf "$1" -C "$root"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    mkdir -p "$root/root/purumoke"
    git -C "$sources" ls-files -z -co --exclude-standard \
        | (cd "$sources" && tar --null -T - -cf -) | tar -xf - -C "$root/root/purumoke"
}

# Runs COMMAND in the sources in the root as a fresh login would, niced for
# the suite's other tests, with its own /proc, devices, /run, /tmp and
# /dev/shm. With "offline", also in a network of its own (loopback alone):
# X servers and buses listen on abstract sockets, which belong to the
# network, and the root's must not meet the machine's.
enter_root() {
    local network=()
    [ "$1" = offline ] && network=(--net)
    # shellcheck disable=SC2016 # the script expands its own arguments
    unshare --mount --pid --fork --kill-child "${network[@]}" -- bash -c '
        set -e
        root=$1
        [ "$2" = offline ] && ip link set lo up
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
        ln -s /proc/self/fd/0 "$root/dev/stdin"
        ln -s /proc/self/fd/1 "$root/dev/stdout"
        ln -s /proc/self/fd/2 "$root/dev/stderr"
        mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
        mount -t tmpfs -o mode=1777 tmp "$root/tmp"
        mount -t tmpfs -o mode=755 run "$root/run"
        mkdir -m 1777 "$root/run/lock"
        exec nice chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
            LANG=C.UTF-8 bash -c "cd /root/purumoke && $3"' - "$root" "$1" "$2"
}

# `./setup.sh play` with no display: the game's no-display line and
# status 1, and nothing built for the tests.
play() {
    enter_root online "./setup.sh play" >"$work/play.log" 2>&1
    local status=$?
    phase "./setup.sh play: status $status"
    tail -n 3 "$work/play.log"
    [ "$status" -ne 1 ] && grep -Eq "$unreachable" "$work/play.log" && skip "the package archive cannot be reached"
    failures=()
    [ "$status" -eq 1 ] || failures+=("status $status, not the game's 1")
    tail -n 1 "$work/play.log" | grep -Eq '^purumoke: no display to show the game on \(.*\)$' \
        || failures+=("the last line is not the game's no-display line")
    built=$root/root/purumoke/build
    local extra
    extra=$(find "$built" -type f -executable \( -name 'tst_*' -o -name 'bench_*' -o -name 'fuzz_*' \) -printf '%P ')
    [ -z "$extra" ] && [ ! -e "$built/tests" ] || failures+=("the tests were configured or built: $extra")
}

if [ "$mode" = play ]; then
    make_root "$release" "$cache/$release-important.tar"
    phase "the base root"
    unpack_root "$cache/$release-important.tar"
    play
    for picture in "$5"/*.BMP; do
        cmp -s "$picture" "$built/${picture##*/}" || failures+=("${picture##*/} is not the one drawn here")
    done
    echo "the whole run took $(($(date +%s) - started)) s"
    [ ${#failures[@]} -eq 0 ] || fail "${failures[@]}"
    echo "./setup.sh play built the game alone on a fresh $release root and it said there is no display"
    exit 0
fi

# The other release: its root with the test packages, once they are in the
# cache; its base root otherwise.
tested=$cache/$release-test.tar
if [ -s "$tested" ]; then
    unpack_root "$tested"
else
    make_root "$release" "$cache/$release-important.tar"
    unpack_root "$cache/$release-important.tar"
fi
phase "the $release root"
play
[ ${#failures[@]} -eq 0 ] || fail "${failures[@]}"

# What the tests need is installed while the archive can be reached; the
# root goes back to the cache when that changed it.
installed=$(md5sum <"$root/var/lib/dpkg/status")
enter_root online "PURUMOKE_SETUP_ONLY=1 ./setup.sh test && apt-get clean" >"$work/setup.log" 2>&1
status=$?
phase "installing the test packages: status $status"
if [ "$status" -ne 0 ]; then
    tail -n 20 "$work/setup.log"
    grep -Eq "$unreachable" "$work/setup.log" && skip "the package archive cannot be reached"
    fail "setting up the tests in the $release root"
fi
if [ ! -s "$tested" ] || [ "$installed" != "$(md5sum <"$root/var/lib/dpkg/status")" ]; then
    tar -cf "$work/tested.tar" -C "$root" --exclude=./root/purumoke . && mv "$work/tested.tar" "$tested"
    phase "keeping the $release root in $tested"
fi

enter_root offline "PURUMOKE_ROOT_RUN=1 ./setup.sh test" >"$work/suite.log" 2>&1
status=$?
phase "./setup.sh test: status $status"
# The suite's lines and its summary, also kept in WORK for setup.sh to show
# and for a look at what failed.
summary=$(dirname "$work")/other-release
cp "$work/suite.log" "$summary.log"
grep -E 'Test +#[0-9]+:|tests passed|Total Test time|^[[:space:]]+[0-9]+ - |^setup.sh: ' "$work/suite.log" \
    | sed "s/^/[$release] /" | tee "$summary.txt"
echo "the whole run took $(($(date +%s) - started)) s; the $release suite's log is $summary.log"
[ "$status" -eq 0 ] || fail "./setup.sh test in the $release root: status $status"
grep -q 'tests passed' "$work/suite.log" || fail "the $release suite did not run"
! grep -Eq 'Test +#[0-9]+:.*(Skipped|Not Run)' "$work/suite.log" \
    || fail "tests of the $release suite did not run (all it needs is installed)"
# What depends on the release's Qt, window managers, screen reader and
# checkers must be among them.
for name in tst_windows desktop_session_openbox desktop_session_kwin_x11 desktop_session_mutter \
    desktop_session_xfwm4 orca_session wayland_session package appstream_validate; do
    grep -Eq "Test +#[0-9]+: $name " "$work/suite.log" || fail "$name did not run in the $release root"
done
echo "./setup.sh test passed whole in a $release root"
