#!/usr/bin/env bash
# Builds the Debian package again from a copy of the sources in another
# folder, later, and checks that it has the same bytes.
#   check_reproducible.sh SOURCES BUILD_DIR
#       one more build, of the game and its package only, compared with the
#       package of BUILD_DIR (the test suite's check)
#   check_reproducible.sh SOURCES
#       two whole builds from two copies, compared with each other
set -u
sources=$(realpath "$1")
build=${2:+$(realpath "$2")}

for tool in git cmake ninja dpkg-deb; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
git -C "$sources" rev-parse --is-inside-work-tree >/dev/null 2>&1 \
    || { echo "SKIP: the sources are not a git work tree"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
type=RelWithDebInfo
[ -n "$build" ] && type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")

# Copies the sources as git sees them (changes not yet committed included,
# ignored files left out) to $1/src, builds the package in $1/out with these
# options and names it. Niced: the suite's other tests keep their pace.
package() {
    local dir=$1
    shift
    mkdir -p "$dir/src"
    git -C "$sources" ls-files -z -co --exclude-standard \
        | (cd "$sources" && tar --null -T - -cf -) | tar -xf - -C "$dir/src"
    { nice cmake -S "$dir/src" -B "$dir/out" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" \
        && nice cmake --build "$dir/out" --target package; } >"$dir/log" 2>&1 \
        || { cat "$dir/log" >&2; echo "FAIL: the build in $dir" >&2; return 1; }
    echo "$dir"/out/purumoke_*.deb
}

if [ -n "$build" ]; then
    # This build's package, packed afresh beside the copy's.
    cpack --config "$build/CPackConfig.cmake" -B "$work/first" >"$work/cpack.log" 2>&1 \
        || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
    first=$(echo "$work"/first/purumoke_*.deb)
    second=$(package "$work/elsewhere/and/deeper" -DBUILD_TESTING=OFF) || exit 1
else
    first=$(package "$work/one") || exit 1
    second=$(package "$work/two/elsewhere" -DBUILD_TESTING=ON) || exit 1
fi

sha256sum "$first" "$second"
if ! cmp -s "$first" "$second"; then
    # Say which members and files differ.
    for deb in "$first" "$second"; do
        dpkg-deb -R "$deb" "$deb.tree"
        (cd "$deb.tree" && find . -type f -exec sha256sum {} + | sort -k 2) >"$deb.sums"
        dpkg-deb --fsys-tarfile "$deb" | tar -tv --full-time >"$deb.list"
    done
    diff "$first.sums" "$second.sums"
    diff "$first.list" "$second.list"
    echo "FAIL: two builds of the same sources gave different packages"
    exit 1
fi
echo "reproducible: both builds gave the same package"
