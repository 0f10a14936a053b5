#!/usr/bin/env bash
# Starts the real program on a Wayland desktop: a headless weston, first
# with Xwayland, where the game must choose X11 and show its title window
# there, then without, where it must run natively, and quietly.
#   wayland_session.sh GAME PICTURE_FOLDER
set -u
game=$(realpath "$1")
pictures=$(realpath "$2")

for tool in weston Xwayland xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed; the Wayland session cannot run"
        exit 77
    fi
done

title='ぷるもけ　ノスタリカ'
work=$(mktemp -d)
chmod 700 "$work"
compositor=""
pid=""
stop() {
    [ -n "$pid" ] && { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
    [ -n "$compositor" ] && { kill "$compositor" 2>/dev/null; wait "$compositor" 2>/dev/null; }
    pid="" compositor=""
}
trap 'stop; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A desktop session of its own: no X server or compositor of the caller's.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM WAYLAND_DEBUG
export XDG_RUNTIME_DIR=$work XDG_SESSION_TYPE=wayland

# Starts weston with these extra options on a socket of its own and waits
# for it to listen.
start_weston() {
    socket=purumoke-$$-$1
    shift
    weston --backend=headless-backend.so --use-pixman --idle-time=0 --socket="$socket" \
        --log="$work/$socket.log" "$@" >/dev/null 2>&1 &
    compositor=$!
    for _ in $(seq 100); do
        [ -S "$work/$socket" ] && return 0
        sleep 0.1
    done
    cat "$work/$socket.log"
    fail "weston did not start"
    return 1
}

# Starts the game from its picture folder with this environment.
start_game() {
    (cd "$pictures" && exec env "$@" WAYLAND_DISPLAY="$socket" "$game" --language=ja) >"$work/game.out" 2>"$work/game.err" &
    pid=$!
}

# Waits up to 15 s for the game's title window in its Wayland messages.
# An object is written "xdg_toplevel@15" by older libwayland and
# "xdg_toplevel#15" by newer ones.
native_title_shows() {
    for _ in $(seq 150); do
        grep -q "xdg_toplevel[@#][0-9]*\.set_title(\"$title\")" "$work/game.err" && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

echo "-- with Xwayland the game runs on X11"
if start_weston xwayland --xwayland; then
    # weston names its X display in its log once it listens.
    display=""
    for _ in $(seq 100); do
        display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/$socket.log" | head -n 1)
        [ -n "$display" ] && break
        sleep 0.1
    done
    if [ -z "$display" ]; then
        cat "$work/$socket.log"
        fail "weston started no X server"
    else
        start_game DISPLAY="$display" WAYLAND_DEBUG=1
        found=""
        for _ in $(seq 150); do
            found=$(DISPLAY=$display xdotool search --name "^$title\$" 2>/dev/null | head -n 1)
            [ -n "$found" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        [ -n "$found" ] || { cat "$work/game.err"; fail "no title window on the X display $display"; }
        grep -q "xdg_toplevel" "$work/game.err" && fail "the game opened a native Wayland window"
        kill "$pid"; wait "$pid" 2>/dev/null; pid=""

        echo "-- a platform the player chose stays"
        start_game DISPLAY="$display" WAYLAND_DEBUG=1 QT_QPA_PLATFORM=wayland
        native_title_shows || { cat "$work/game.err"; fail "QT_QPA_PLATFORM=wayland did not show the title natively"; }
    fi
    stop
fi

echo "-- without Xwayland the game runs natively, without a warning"
if start_weston native; then
    start_game WAYLAND_DEBUG=1
    native_title_shows || { cat "$work/game.err"; fail "no native title window"; }
    # The compositor ties the windows to the menu entry by their app id.
    grep -q 'xdg_toplevel[@#][0-9]*\.set_app_id("io\.github\.purumoke\.Nostalica")' "$work/game.err" \
        || fail "the title window's app id is not the menu entry's name"
    # Everything but the Wayland messages themselves ("[time] ...").
    grep -v '^\[ *[0-9]*\.[0-9]*\] ' "$work/game.err" "$work/game.out" >"$work/said" && {
        cat "$work/said"
        fail "the game printed more than its Wayland messages"
    }
    stop
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "Wayland session: all passed"
