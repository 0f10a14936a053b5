#!/usr/bin/env bash
# Builds the Debian package, has lintian look at it, unpacks it into a
# temporary root and starts the game from there with the menu entry's
# command, on a virtual X server, until its title window shows. The package
# must hold exactly what an install of the build tree under /usr holds.
#   check_package.sh BUILD_DIR README
set -u
build=$(realpath "$1")
readme=$(realpath "$2")

for tool in dpkg-deb dpkg-shlibdeps lintian xvfb-run openbox xdotool xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed; the package cannot be checked"
        exit 77
    fi
done
if [ -z "${PURUMOKE_IN_XVFB:-}" ]; then
    PURUMOKE_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$@"
fi

work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "-- the package"
rm -f "$build"/purumoke_*.deb
cmake --build "$build" --target package >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; exit 1; }
debs=("$build"/purumoke_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { fail "no single package: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "$(basename "$deb")"

echo "-- lintian: no errors, and only the warnings the README gives a reason for"
# The README lists them as "- `tag`: reason" under its lintian heading.
allowed=$(sed -n '/^### lintian/,/^#/p' "$readme" | sed -n 's/^- `\([a-z0-9.+-]*\)`.*/\1/p')
lintian "$deb" >"$work/lintian" 2>&1
cat "$work/lintian"
# lintian fails the AppStream metadata on any warning of appstreamcli's;
# the README accepts the one of a missing homepage alone, so the package's
# tree must pass once that one is told as a mere note.
appstream_homepage_alone() {
    local tree=$work/appstream
    [ -d "$tree" ] || dpkg -x "$deb" "$tree" || return 1
    appstreamcli validate-tree --no-net --override=url-homepage-missing=info "$tree" >"$work/appstream.log" 2>&1 \
        || { cat "$work/appstream.log"; return 1; }
}
while read -r level _ tag _; do
    case "$level" in
        E:) fail "lintian error $tag" ;;
        W:) grep -qxF "$tag" <<<"$allowed" || fail "lintian warning $tag has no reason in the README" ;;
    esac
    if [ "$level $tag" = "W: appstream-metadata-validation-failed" ]; then
        appstream_homepage_alone || fail "appstreamcli finds more than the missing homepage"
    fi
done <"$work/lintian"

echo "-- the package holds what the install tree holds"
root=$work/root
dpkg -x "$deb" "$root" || fail "dpkg -x"
DESTDIR=$work/install cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"
dpkg -c "$deb" | awk '{ print $6 }' | sed 's|^\./||; s|/$||' | grep -v '^$' | sort >"$work/packaged"
(cd "$work/install" && find . -mindepth 1 | sed 's|^\./||' | sort) >"$work/installed"
diff -u "$work/installed" "$work/packaged" || fail "the package's files differ from the install tree's"

echo "-- every picture in English as well, in en/ beside it"
pictures=usr/share/games/purumoke
japanese=$(grep -c "^$pictures/[^/]*\.BMP$" "$work/packaged")
[ "$japanese" -gt 0 ] || fail "no pictures in $pictures"
while read -r picture; do
    grep -qxF "$pictures/en/${picture##*/}" "$work/packaged" || fail "no English picture for $picture"
done < <(grep "^$pictures/[^/]*\.BMP$" "$work/packaged")
[ "$(grep -c "^$pictures/en/[^/]*\.BMP$" "$work/packaged")" -eq "$japanese" ] \
    || fail "en/ holds other pictures than the Japanese ones"

echo "-- the unpacked game starts from each of its menu entry's commands"
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done
entry=$(ls "$root"/usr/share/applications/*.desktop)
# The command of one group of the entry: the entry itself or an action.
command_of() { awk -v group="[$1]" '/^\[/ { inside = ($0 == group) } inside && sub(/^Exec=/, "")' "$entry"; }
# Starts a command of the entry on a desktop that asks for these languages
# and waits for the title window of the game it starts: the game's process
# in $game, its title window in $window.
start() {
    local group=$1 languages=$2 caption=$3 command
    window=""
    game=""
    command=$(command_of "$group")
    [ -n "$command" ] || { fail "the menu entry has no [$group] with a command"; return; }
    (cd "$work" && PATH=$root/usr/games:$PATH LANGUAGE=$languages LC_ALL=C.UTF-8 exec $command) >"$work/game.log" 2>&1 &
    game=$!
    pids+=($game)
    for _ in $(seq 150); do
        window=$(xdotool search --all --pid "$game" --name "^$caption\$" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        kill -0 "$game" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        cat "$work/game.log"
        fail "[$group] ($command) on a desktop asking for '$languages' shows no title window '$caption'"
    else
        echo "[$group] on a desktop asking for '$languages': $caption"
    fi
    [ "$(readlink -f /proc/"$game"/exe)" = "$root/usr/lib/games/purumoke/purumoke" ] \
        || fail "[$group]: the running program is $(readlink -f /proc/"$game"/exe)"
}
japanese='ぷるもけ　ノスタリカ'
english='Purumoke Nostalica'
# Each action's language wins over the desktop's. Rows: the group, the
# desktop's languages, the title window's caption.
while IFS=$'\t' read -r group languages caption; do
    start "$group" "$languages" "$caption"
    [ -n "$game" ] && { kill "$game"; wait "$game"; } 2>/dev/null
done <<EOF_ROWS
Desktop Action play-english	ja	$english
Desktop Action play-japanese	en	$japanese
EOF_ROWS
# The entry's own command follows the desktop's languages: none (no
# LANGUAGE, the C locale) is Japanese. Its window stays for the check below.
start "Desktop Entry" "" "$japanese"
title=$window

echo "-- the windows' class is the one the menu entry names"
# Docks tie the windows to the entry by it: the class part of WM_CLASS.
entry_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
if [ -n "$title" ]; then
    class=$(xprop -id "$title" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
    echo "WM_CLASS class \"$class\", StartupWMClass \"$entry_class\""
    [ -n "$class" ] && [ "$class" = "$entry_class" ] || fail "the window's class is not the menu entry's"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "package: all passed"
