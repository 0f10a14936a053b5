#!/usr/bin/env bash
# Sets up a Debian 12 or 13 machine for the game, builds it, then plays or
# tests it.
#   ./setup.sh play   install what building and playing need, build the game
#                     and its pictures, start it in its picture folder
#   ./setup.sh test   install the test tools too, build everything, run the
#                     whole test suite, then run it again on a sanitizer
#                     build (build-asan/) and fuzz the picture loading for a
#                     minute (build-fuzz/)
# Both can be run again at any time, test after play and play after test;
# they only redo what is needed. When a step of the set-up fails, the last
# line says which and the status is 3 (the game's own 1 means no display).
# The test suite sets two variables for its run in a root of the other
# release (tests/clean_root.sh): with PURUMOKE_SETUP_ONLY set, test installs
# what the tests need and stops there; with PURUMOKE_ROOT_RUN set, it runs
# the suite without what runs on the machine's own release alone (the
# sanitizer build, the fuzzing, reprotest and the clean-root tests).
set -euo pipefail

# Runs one step of the set-up; a failure ends the script with status 3 and
# a last line that names the step.
step() {
    local name=$1
    shift
    "$@" && return 0
    local status=$?
    echo "setup.sh: $name failed (status $status)" >&2
    exit 3
}

mode=${1:-}
case "$mode" in
    play|test) ;;
    *) echo "usage: $0 play|test" >&2; exit 2 ;;
esac

# The package names below are those of Debian 12 and 13.
# shellcheck source=/dev/null
case "$(. /etc/os-release 2>/dev/null && echo "${ID:-} ${VERSION_ID:-}")" in
    "debian 12"|"debian 13") ;;
    *) echo "setup.sh: sets up Debian 12 or 13 only, not $(. /etc/os-release 2>/dev/null; echo "${PRETTY_NAME:-this system}")" >&2
       exit 3 ;;
esac

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build="$here/build"

# Building and playing: the compilers, Qt, the game's Japanese fonts and
# Qt's translations (its dialogs' buttons in the desktop's language); `file`
# lets CPack find the libraries the package depends on.
play_packages=(
    build-essential
    cmake
    ninja-build
    pkg-config
    file
    qt6-base-dev
    qt6-base-dev-tools
    qt6-svg-dev
    libqt6svg6
    libxcb1-dev
    fonts-ipafont-gothic
    qt6-translations-l10n
    qt6-l10n-tools
)
# Only the tests use these: virtual X servers and window managers, Xorg's
# dummy driver and xrandr for a desk of two monitors, the accessibility bus
# and a screen reader (gdbus stands in for one in a unit test), Wayland, the
# package's checkers, clang for the fuzzer, Noto CJK for names the IPA faces
# lack, and Qt's platform headers for a test that gives the screen another
# refresh rate.
test_packages=(
    fonts-noto-cjk
    xvfb
    xauth
    openbox
    xdotool
    wmctrl
    x11-utils
    x11-apps
    xserver-xorg-core
    xserver-xorg-video-dummy
    x11-xserver-utils
    libglib2.0-bin
    dbus
    at-spi2-core
    python3-pyatspi
    weston
    xwayland
    qt6-wayland
    desktop-file-utils
    appstream
    dpkg-dev
    lintian
    clang
    libclang-rt-dev
    mmdebstrap
    uidmap
    reprotest
    faketime
    disorderfs
    locales
    kwin-x11
    kwin-style-breeze
    mutter
    xfwm4
    orca
    speech-dispatcher
    speech-dispatcher-espeak-ng
    qt6-base-private-dev
)
packages=("${play_packages[@]}")
[ "$mode" = play ] || packages+=("${test_packages[@]}")

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    step "apt-get update" "${sudo[@]}" apt-get update -qq
    step "installing the packages" "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The reproducibility and picture tests build and draw under a Japanese
# locale as well.
ensure_test_locale() {
    locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    step "enabling the ja_JP.UTF-8 locale" "${sudo[@]}" sh -c \
        'grep -qx "ja_JP.UTF-8 UTF-8" /etc/locale.gen || echo "ja_JP.UTF-8 UTF-8" >>/etc/locale.gen'
    step "generating the ja_JP.UTF-8 locale" "${sudo[@]}" locale-gen
}

# The same build folder for both modes: play builds the game and the
# pictures it reads (the icons come with it), test builds the rest. A first
# play leaves the tests out of the configuration, since what they need is
# not installed; test turns them on, and a play after it keeps them.
build_game() {
    local options=() root_run=OFF
    [ -z "${PURUMOKE_ROOT_RUN:-}" ] || root_run=ON
    if [ "$mode" = test ]; then
        options=(-DBUILD_TESTING=ON "-DPURUMOKE_ROOT_RUN=$root_run")
    elif [ ! -f "$build/CMakeCache.txt" ]; then
        options=(-DBUILD_TESTING=OFF)
    fi
    step "configuring the build" cmake -S "$here" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
    step "building" cmake --build "$build" -j "$(nproc)" "$@"
}

# The whole suite once more on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the test it comes from.
test_sanitized() {
    local asan="$here/build-asan"
    step "configuring the sanitizer build" cmake -S "$here" -B "$asan" -G Ninja \
        -DCMAKE_BUILD_TYPE=Debug -DPURUMOKE_SANITIZE=ON
    step "building the sanitizer build" cmake --build "$asan" -j "$(nproc)"
    (cd "$asan" && step "the sanitizer build's tests" ctest --output-on-failure -j "$(nproc)")
}

# A minute of fuzzing the picture loading (clang and libFuzzer) on a copy of
# the seed pictures; a crash fails, and its input is kept in build-fuzz/crashes/.
# The picture libraries' own complaints (stderr) are dropped; the fuzzer's
# reports still show.
fuzz_pictures() {
    local fuzz="$here/build-fuzz"
    step "configuring the fuzz build" env CC=clang CXX=clang++ cmake -S "$here" -B "$fuzz" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPURUMOKE_FUZZ=ON -DBUILD_TESTING=OFF
    step "building the fuzzer" cmake --build "$fuzz" -j "$(nproc)" --target fuzz_picture
    local work status=0
    work=$(mktemp -d)
    mkdir -p "$work/corpus" "$fuzz/crashes"
    cp "$fuzz"/fuzz/seeds/* "$work/corpus/"
    (cd "$work" && "$fuzz/fuzz/fuzz_picture" -max_total_time=60 -rss_limit_mb=2048 -timeout=10 \
        -dict="$here/fuzz/picture.dict" -artifact_prefix="$fuzz/crashes/" -print_final_stats=1 \
        -close_fd_mask=2 corpus) || status=$?
    rm -rf "$work"
    if [ "$status" -ne 0 ]; then
        echo "The picture fuzzer failed; its input is in $fuzz/crashes/" >&2
        echo "setup.sh: fuzzing the pictures failed (status $status)" >&2
        exit 3
    fi
}

# The suite, then what its run in a root of the other release said: the
# summary comes last where the log shows it.
run_tests() {
    local other="$build/clean-root/other-release.txt" status=0
    rm -f "$other"
    (cd "$build" && ctest --output-on-failure -j "$(nproc)") || status=$?
    if [ -s "$other" ]; then
        echo "The suite in a root of the other release:"
        cat "$other"
    fi
    [ "$status" -eq 0 ] || { echo "setup.sh: the tests failed (status $status)" >&2; exit 3; }
}

install_packages
[ "$mode" = play ] || ensure_test_locale
if [ "$mode" = test ] && [ -n "${PURUMOKE_SETUP_ONLY:-}" ]; then
    exit 0
fi

case "$mode" in
    play)
        build_game --target purumoke
        # The game reads its pictures from its working directory.
        cd "$build"
        exec ./purumoke
        ;;
    test)
        build_game
        run_tests
        [ -n "${PURUMOKE_ROOT_RUN:-}" ] && exit 0
        test_sanitized
        fuzz_pictures
        ;;
esac
