#!/usr/bin/env bash
# Sets up a Debian 12 machine for the game, builds it, then plays or tests it.
#   ./setup.sh play   install, build, start the game in its picture folder
#   ./setup.sh test   install, build, run the whole test suite
# Both can be run again at any time; they only redo what is needed.
set -euo pipefail

mode=${1:-}
case "$mode" in
    play|test) ;;
    *) echo "usage: $0 play|test" >&2; exit 2 ;;
esac

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build="$here/build"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libxcb1-dev
    fonts-noto-cjk
    xvfb xauth openbox xdotool wmctrl x11-utils x11-apps
    desktop-file-utils appstream
)

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_game() {
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build" -j "$(nproc)"
}

install_packages
build_game

case "$mode" in
    play)
        # The game reads its pictures from its working directory.
        cd "$build"
        exec ./purumoke
        ;;
    test)
        cd "$build"
        ctest --output-on-failure -j "$(nproc)"
        ;;
esac
