#!/usr/bin/env bash
# Builds the Debian package again with reprotest, the reproducible-builds
# tool, under everything that may differ between two builders, and checks
# that it has the same bytes as the package of BUILD_DIR.
#   check_reproducible.sh SOURCES BUILD_DIR
# The second build runs from a copy of the sources in another folder and
# with another build-folder name, umask, locale (Japanese), time zone,
# clock (a year or so ahead), environment, home, PATH, CPU count, kernel
# personality, address layout, host name and file order (disorderfs, where
# FUSE works here). Only the game and its package are built, niced, so that
# the suite's other tests keep their pace.
set -u
sources=$(realpath "$1")
build=$(realpath "$2")

for tool in git cmake ninja cpack dpkg-deb reprotest faketime; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
git -C "$sources" rev-parse --is-inside-work-tree >/dev/null 2>&1 \
    || { echo "SKIP: the sources are not a git work tree"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")

# The sources as git sees them: changes not yet committed included,
# ignored files (build folders) left out.
mkdir -p "$work/src" "$work/control/source-root"
git -C "$sources" ls-files -z -co --exclude-standard \
    | (cd "$sources" && tar --null -T - -cf -) | tar -xf - -C "$work/src"

# This build's package, packed afresh: the build reprotest compares with,
# where reprotest keeps what a build makes in its sources' folder.
cpack --config "$build/CPackConfig.cmake" -B "$work/packed" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
mv "$work"/packed/purumoke_*.deb "$work/control/source-root/"

variations=+all,-user_group,locales.locale=ja_JP.UTF-8,time.faketimes=+400days+5hours
# disorderfs needs FUSE, which a container may lack.
if ! [ -w /dev/fuse ] || ! command -v disorderfs >/dev/null; then
    echo "no FUSE here: the file order does not vary"
    variations+=,-fileordering
fi
diff=(--no-diffoscope)
command -v diffoscope >/dev/null && diff=()

command="nice cmake -S . -B out -G Ninja -DCMAKE_BUILD_TYPE=$type -DBUILD_TESTING=OFF"
command+=" && nice cmake --build out --target package && cp out/purumoke_*.deb ."
reprotest --verbosity 1 "${diff[@]}" --variations="$variations" \
    --control-build "$work/control" --store-dir "$work/store" \
    -s "$work/src" "$command" 'purumoke_*.deb' >"$work/reprotest.log" 2>&1
status=$?
cat "$work/reprotest.log"
if [ "$status" -ne 0 ]; then
    ls -la "$work/store" 2>/dev/null
    echo "FAIL: the package built under other conditions has other bytes (reprotest status $status)"
    exit 1
fi
echo "reproducible: both builds gave the same package"
