#!/usr/bin/env bash
# Plays the real program on a virtual X server with a window manager, the
# way a player does: keys and the window manager's close command; measures
# where its windows sit by the frames the window manager really draws; and
# reads it through the accessibility bus, as a screen reader does.
#   desktop_session.sh GAME PICTURE_FOLDER WINDOW_MANAGER [LANGUAGE]
# WINDOW_MANAGER is openbox, kwin_x11, mutter or xfwm4. Every one gets the
# window checks (where each window sits, which has a taskbar entry) and a
# game by keyboard; openbox, the window manager the other tests use, also
# the error reports, the close button and the screen reader's reading.
# LANGUAGE is ja (the default: the game is told to speak Japanese, whatever
# the caller's locale) or en: the game is started on an English desktop
# (LANG=en_US.UTF-8), and only the game by keyboard is played, read through
# the accessibility bus under openbox, where nothing may be Japanese.
set -u
game=$(realpath "$1")
pictures=$(realpath "$2")
wm_name=$3
language=${4:-ja}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in xvfb-run "$wm_name" xdotool xprop xwininfo xwd wmctrl dbus-run-session dbus-send; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed; the desktop session under $wm_name cannot run"
        exit 77
    fi
done
# The system's Python, which has the accessibility bindings.
python=""
for candidate in /usr/bin/python3 python3; do
    "$candidate" -c "import pyatspi" 2>/dev/null && { python=$candidate; break; }
done
if [ -z "$python" ]; then
    echo "SKIP: python3-pyatspi is not installed; the desktop session cannot run"
    exit 77
fi
if [ -z "${PURUMOKE_IN_XVFB:-}" ]; then
    PURUMOKE_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
        dbus-run-session -- "$0" "$@" 2> >(grep -v "fd limit" >&2)
fi
# The captions the game's windows and boxes are found by.
if [ "$language" = en ]; then
    TITLE="Purumoke Nostalica" ABOUT="Purumoke!" MAIN="PuruNos Main Screen" MESSAGES="Message"
    GRAPH="Purumoke Graph" ENDING="Under the Legendary Tree" GRADUATION="Graduation" NOBODY="Huh?"
    OPENING=("Listen Up, Nyeh (1/3)" "Listen Up, Nyeh (2/3)" "Listen Up, Nyeh (3/3)" "Big Serrrvice" "Here we GO!")
    game_language=(env LANG=en_US.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES=)
    export PURUMOKE_LANGUAGE=en
else
    TITLE="ぷるもけ　ノスタリカ" ABOUT="ぷるもけ！" MAIN="ぷるノス　メイン画面" MESSAGES="メッセージ"
    GRAPH="ぷるもけグラフ" ENDING="伝説の樹の下" GRADUATION="卒業式" NOBODY="あれ？"
    OPENING=("説明なのねん (1/3)" "説明なのねん (2/3)" "説明なのねん (3/3)" "大サーヴィス" "Here we GO!")
    game_language=(--language=ja)
fi

# The game runs on the X server, whatever platform the unit tests use; it
# talks to the accessibility bus as on a desktop with a screen reader, the
# bus started first, as a desktop session does.
unset QT_QPA_PLATFORM
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

work=$(mktemp -d)
wm=""
trap 'kill $wm 2>/dev/null; rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The calendar shows one day per refresh of the screen (60 Hz on Xvfb):
# 1079 days from the first to graduation day. A sanitizer build on a busy
# machine is slower, so a wait for the calendar allows three times as long
# and a little more.
calendar_days=1079
refresh_rate=60
calendar_wait=$((3 * (calendar_days / refresh_rate + 1) + 10))

# The window managers as a desktop starts them, without compositing.
case "$wm_name" in
    openbox) wm_command=(openbox) ;;
    kwin_x11) wm_command=(env KWIN_COMPOSE=N kwin_x11) ;;
    mutter) wm_command=(mutter --x11 --replace --sm-disable) ;;
    xfwm4) wm_command=(xfwm4 --replace --compositor=off) ;;
    *) echo "unknown window manager $wm_name" >&2; exit 2 ;;
esac

# Every part of the session needs the window manager: it focuses, activates
# and closes windows. One that has gone is started again, so that a lost
# window manager fails at most the part it left, not all that follow.
window_manager() {
    if [ -n "$wm" ] && kill -0 "$wm" 2>/dev/null; then
        return 0
    fi
    if [ -n "$wm" ]; then
        echo "NOTE: the window manager exited; its last words:"
        tail -n 5 "$work/wm.log"
    fi
    "${wm_command[@]}" >>"$work/wm.log" 2>&1 &
    wm=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
}
window_manager

dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null \
    || fail "the accessibility bus did not start"

# Runs a check of tests/atspi_session.py; it prints its own FAIL lines.
reader() {
    "$python" "$here/atspi_session.py" "$@" || failures=$((failures + 1))
}

# The id of the game's window with exactly this title, waiting for it up to
# the given seconds (15 by default). Newer mutters draw the frames in a
# program of their own, whose windows carry the same titles.
window() {
    local pattern
    pattern=$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')
    for _ in $(seq $((${2:-15} * 10))); do
        id=$(xdotool search --all --pid "$pid" --name "^$pattern\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Waits for a box with this title and answers it with the Return key,
# pressing again while a busy machine has not let the box take the focus.
# A second argument is how long to wait for it, in seconds.
answer() {
    local id
    id=$(window "$1" "${2:-15}") || { fail "no window \"$1\""; return 1; }
    for _ in $(seq 20); do
        xdotool windowactivate --sync "$id" 2>/dev/null
        sleep 0.2
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && xdotool key --clearmodifiers Return
        for _ in $(seq 10); do
            xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$id" || return 0
            sleep 0.1
        done
    done
    fail "the box \"$1\" did not close"
    return 1
}

# Starts the game in a copy of the picture folder without the named file.
start_without() {
    window_manager
    rm -rf "$work/run" && mkdir "$work/run"
    cp -r "$pictures"/*.BMP "$pictures/en" "$work/run/"
    [ -n "$1" ] && rm -f "$work/run/$1"
    if [ "${game_language[0]}" = env ]; then
        (cd "$work/run" && exec "${game_language[@]}" "$game") >/dev/null 2>&1 &
    else
        (cd "$work/run" && exec "$game" "${game_language[@]}") >/dev/null 2>&1 &
    fi
    pid=$!
}

# Sets status to the exit status of the game, waiting up to 20 s.
finish() {
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        # What the screen showed, for whoever reads the failure.
        echo "   the game did not end; shown: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
        kill "$pid"
        status=timeout
        return
    fi
    wait "$pid"
    status=$?
}

# A window's outer rectangle, "left top width height": its client area
# grown by the frame the window manager says it draws (a frame window may
# hold invisible borders besides).
outer() {
    local extents
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    xwininfo -id "$1" 2>/dev/null | awk -v extents="${extents:-0,0,0,0}" '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
        END { split(extents, e, ","); print x - e[1], y - e[3], w + e[1] + e[2], h + e[3] + e[4] }'
}

read -r screen_width screen_height < <(xwininfo -root | awk '/^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print w, h }')

# Whether a window is centred on the screen by its outer size, within 2
# pixels, across only or across and down.
centred() {
    local left top width height
    read -r left top width height < <(outer "$1")
    (( (2 * left + width - screen_width) ** 2 <= 16 )) || return 1
    [ "${2:-}" = across ] || (( (2 * top + height - screen_height) ** 2 <= 16 ))
}

# Retries a check for up to 5 s: a window manager may still be placing.
settles() {
    for _ in $(seq 50); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Whether a window has the taskbar entry it should, "entry" or "none", as
# the window manager keeps the window's state once it has mapped it: only
# the main window has one. Fails naming the window when it has not.
taskbar() {
    local state
    state=$(xprop -id "$1" _NET_WM_STATE 2>/dev/null)
    case "$2:$state" in
        entry:*_NET_WM_STATE_SKIP_TASKBAR*) fail "the $3 window has no taskbar entry: $state" ;;
        none:*_NET_WM_STATE_SKIP_TASKBAR*) ;;
        none:*) fail "the $3 window has a taskbar entry: $state" ;;
    esac
}

# The title window's picture area, as a screen reader finds it, holds the
# whole picture: the window manager's frame has not cut it.
title_picture_whole() {
    local width height
    read -r _ _ width height < <("$python" "$here/atspi_session.py" picture)
    [ "${width:-0}" -ge "$picture_width" ] && [ "${height:-0}" -ge "$picture_height" ]
}
read -r picture_width picture_height < <(od -An -t d4 -j 18 -N 8 "$pictures/title1.BMP")

# The message window's frame lies 200 twips (13 pixels at 96 DPI) below
# the main window's, centred across the screen: under it, not over it.
message_window_below() {
    local main_top main_height messages_top gap
    read -r _ main_top _ main_height < <(outer "$main")
    read -r _ messages_top _ _ < <(outer "$messages")
    (( (gap = messages_top - main_top - main_height) >= 12 && gap <= 14 )) && centred "$messages" across
}

# A checksum of what a mapped window shows; fails when it is not mapped.
snapshot() {
    xwd -silent -id "$1" >"$work/snapshot" 2>/dev/null || return 1
    md5sum <"$work/snapshot"
}

# Waits up to 10 s for the window with this id to be the active one.
becomes_active() {
    for _ in $(seq 100); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# Waits up to 10 s for a window with exactly this title to be shown, or
# with "gone" for none to be.
shown() {
    local pattern
    pattern=$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')
    for _ in $(seq 100); do
        if xdotool search --onlyvisible --name "^$pattern\$" >/dev/null 2>&1; then
            [ "${2:-}" != gone ] && return 0
        else
            [ "${2:-}" = gone ] && return 0
        fi
        sleep 0.1
    done
    return 1
}

start_from_title() {
    local title
    title=$(window "$TITLE") || { fail "no title window"; return 1; }
    # Alt+F opens the File menu, S starts; the title window then goes.
    for _ in $(seq 5); do
        xdotool windowactivate --sync "$title" 2>/dev/null
        sleep 0.3
        xdotool key --clearmodifiers alt+f
        sleep 0.3
        xdotool key s
        sleep 0.5
        xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$title" || break
    done
    answer "${OPENING[0]}" && answer "${OPENING[1]}" && answer "${OPENING[2]}" \
        && answer "${OPENING[3]}" && answer "${OPENING[4]}"
}

if [ "$wm_name" = openbox ] && [ "$language" = ja ]; then
    echo "-- an event picture is missing: the error report, then a non-zero exit"
    start_without EVE05.BMP
    start_from_title
    answer "実行時エラー"
    finish
    [ "$status" != 0 ] && [ "$status" != timeout ] || fail "exit status $status after the error report"

    echo "-- the title picture is missing: the report, and no title window"
    start_without title1.BMP
    answer "実行時エラー"
    xdotool search --name "^$TITLE\$" >/dev/null 2>&1 && fail "the title window showed"
    finish
    [ "$status" != 0 ] && [ "$status" != timeout ] || fail "exit status $status without title1.BMP"

    echo "-- a whole game without stops, read through the accessibility bus without a screen reader:"
    echo "   one day per refresh, nobody comes, exit status 0"
    start_without ""
    reader title
    start_from_title
    started=$(date +%s.%N)
    if window "$GRADUATION" "$calendar_wait" >/dev/null; then
        # A screen reader's pace takes twice as long: the bound lies midway.
        awk -v ran="$(date +%s.%N)" -v started="$started" -v limit="$((3 * calendar_days / (2 * refresh_rate)))" '
            BEGIN { printf "the calendar ran %.1f s (below %d s)\n", ran - started, limit; exit !(ran - started < limit) }' \
            || fail "the calendar ran at a screen reader's pace with none on"
    fi
    answer "$GRADUATION" "$calendar_wait"
    answer "$NOBODY"
    finish
    [ "$status" = 0 ] || fail "exit status $status after the failure ending"

    echo "-- the title window's close button ends the program with status 0"
    start_without ""
    if shown "$TITLE"; then
        title=$(xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null | head -n 1)
        # Asked again in case the window manager had not taken the window on yet.
        for _ in $(seq 20); do
            wmctrl -i -c "$title"
            sleep 0.5
            kill -0 "$pid" 2>/dev/null || break
        done
    fi
    finish
    [ "$status" = 0 ] || fail "exit status $status after closing the title window"
fi

# Space on the stop button: the message window takes the keyboard and the
# calendar holds still. Fails when it does not. With "read", the screen
# reader's check presses the key and listens to what the game says.
stop_time() {
    if [ "${1:-}" = read ]; then
        reader scene
    else
        xdotool key --clearmodifiers space
    fi
    becomes_active "$messages" || { fail "the message window did not become active on a stop"; return 1; }
    local first
    first=$(snapshot "$main") && sleep 0.3 && [ "$first" = "$(snapshot "$main")" ] \
        || { fail "the calendar went on while the scene waits"; return 1; }
}

# Space on 次いってみよう: time runs on, the main window takes the keyboard back.
go_on() {
    xdotool key --clearmodifiers space
    becomes_active "$main" || { fail "the main window did not become active again"; return 1; }
}

# Answers a box with the Return key once it has the keyboard by itself,
# typing a text into it first if one is given. A command named in
# check_box checks the box first, given its id and title.
answer_by_key() {
    local id
    id=$(window "$1") || { fail "no window \"$1\""; return 1; }
    becomes_active "$id" || { fail "the box \"$1\" did not take the keyboard"; return 1; }
    ${check_box:-:} "$id" "$1"
    if [ -n "${2:-}" ]; then
        xdotool key --clearmodifiers ctrl+a
        xdotool type --delay 30 "$2"
    fi
    xdotool key --clearmodifiers Return
    shown "$1" gone || { fail "Return did not close the box \"$1\""; return 1; }
}

# The opening with keys only: Help, About (Alt+H, Return) and Return on its
# box, which gives the keyboard back to the title window; then Alt+F, S,
# Return on the boxes and a name typed into the name box.
start_by_keys() {
    local title
    title=$(window "$TITLE") || { fail "no title window"; return 1; }
    becomes_active "$title" || { fail "the title window does not have the keyboard"; return 1; }
    for _ in $(seq 5); do
        xdotool key --clearmodifiers alt+h
        sleep 0.3
        xdotool key Return
        shown "$ABOUT" && break
        xdotool key Escape
    done
    answer_by_key "$ABOUT" || return 1
    becomes_active "$title" || { fail "the title window does not have the keyboard after the About box"; return 1; }
    for _ in $(seq 5); do
        xdotool key --clearmodifiers alt+f
        sleep 0.3
        xdotool key s
        shown "$TITLE" gone && break
        # A slow menu missed the S: close it and ask again.
        xdotool key Escape
    done
    answer_by_key "${OPENING[0]}" && answer_by_key "${OPENING[1]}" \
        && answer_by_key "${OPENING[2]}" && answer_by_key "${OPENING[3]}" "Purumo" \
        && answer_by_key "${OPENING[4]}"
}

echo "-- $wm_name: the windows where they belong, by keyboard alone (and a screen reader under openbox)"
start_without ""
title=$(window "$TITLE") || fail "no title window"
if [ -n "$title" ]; then
    settles centred "$title" || fail "the title window is not centred by its frame: $(outer "$title")"
    settles title_picture_whole "$title" || fail "the title picture is cut: client $(outer "$title")"
    taskbar "$title" none title
fi
[ "$wm_name" = openbox ] && reader title
box_centred() { settles centred "$1" || fail "the box \"$2\" is not centred by its frame: $(outer "$1")"; }
check_box=box_centred start_by_keys
main=$(window "$MAIN")
messages=$(window "$MESSAGES")
if [ -z "$main" ] || [ -z "$messages" ] || ! becomes_active "$main"; then
    fail "the main window is not active when the calendar starts"
else
    settles centred "$main" || fail "the main window is not centred by its frame: $(outer "$main")"
    settles message_window_below \
        || fail "the message window is not 13 pixels below the main window: $(outer "$main") and $(outer "$messages")"
    taskbar "$main" entry main
    taskbar "$messages" none message
    if [ "$wm_name" = openbox ]; then
        stop_time read && {
            # The window manager's close is refused by both game windows.
            wmctrl -i -c "$main"
            wmctrl -i -c "$messages"
            sleep 0.5
            shown "$MAIN" || fail "the main window closed"
            shown "$MESSAGES" || fail "the message window closed"
            kill -0 "$pid" 2>/dev/null || fail "the game ended on a close request"
            xdotool windowactivate --sync "$messages" 2>/dev/null
            becomes_active "$messages"
            go_on
        }
    fi
    stop_time && go_on
    # The graph from the keyboard: Tab to its button, Space; Return closes
    # it, and the second time Escape. The keyboard is back on the stop
    # button then: Space stops time.
    for close_key in Return Escape; do
        xdotool key --clearmodifiers Tab space
        if shown "$GRAPH"; then
            graph=$(window "$GRAPH")
            settles centred "$graph" || fail "the graph window is not centred by its frame: $(outer "$graph")"
            taskbar "$graph" none graph
            [ "$close_key" = Return ] && [ "$wm_name" = openbox ] && reader graph
            xdotool key --clearmodifiers "$close_key"
            shown "$GRAPH" gone || fail "$close_key did not close the graph"
        else
            fail "Tab and Space did not open the graph"
        fi
        becomes_active "$main" || fail "the main window is not active after the graph"
        stop_time && go_on
    done
fi
answer "$GRADUATION" "$calendar_wait"
# Either a heroine's letter, which Escape closes, or nobody came.
for _ in $(seq 150); do
    ending=$(xdotool search --all --onlyvisible --pid "$pid" --name "^$ENDING\$" 2>/dev/null | head -n 1)
    if [ -n "$ending" ]; then
        becomes_active "$ending" || fail "the ending window is not active"
        settles centred "$ending" || fail "the ending window is not centred by its frame: $(outer "$ending")"
        taskbar "$ending" none ending
        xdotool key --clearmodifiers Escape
        break
    fi
    xdotool search --onlyvisible --name "^${NOBODY//\?/\\?}\$" >/dev/null 2>&1 && { answer "$NOBODY"; break; }
    sleep 0.1
done
finish
[ "$status" = 0 ] || fail "exit status $status at the end of the game"

# A real X server with two monitors (Xorg's dummy driver, laid out with
# xrandr): a 1280x800 laptop at +0+280 and the 1920x1080 primary monitor on
# its right. With the pointer on the laptop, the windows and boxes of the
# opening are centred on the primary monitor (under KWin too, which may
# place a new window its own way); once the player has moved the main
# window onto the laptop, however soon, and the pointer onto the primary
# monitor, it stays there and the box at the end of the calendar is
# centred on the laptop.
laptop=(0 280 1280 800) primary=(1280 0 1920 1080)
# Whether a window is centred by its outer size on the monitor "left top width height".
centred_on() {
    local left top width height
    read -r left top width height < <(outer "$1")
    (( (2 * (left - $2) + width - $4) ** 2 <= 16 && (2 * (top - $3) + height - $5) ** 2 <= 16 ))
}
on_primary() { settles centred_on "$1" "${primary[@]}" || fail "\"$2\" is not centred on the primary monitor: $(outer "$1")"; }
two_monitors() {
    printf '%s\n' 'Section "Device"' 'Identifier "d"' 'Driver "dummy"' 'VideoRam 65536' 'EndSection' \
        'Section "Screen"' 'Identifier "s"' 'Device "d"' 'SubSection "Display"' 'Virtual 3200 1080' \
        'EndSubSection' 'EndSection' >"$work/xorg.conf"
    coproc xorg { exec Xorg -config "$work/xorg.conf" -noreset -nolisten tcp -dpi 96 -logfile "$work/xorg.log" -displayfd 1 2>/dev/null; }
    if ! read -r -t 10 display <&"${xorg[0]}"; then
        echo "SKIP: no two-monitor server (Xorg and xserver-xorg-video-dummy): $(tail -n 1 "$work/xorg.log" 2>/dev/null)"
        return 0
    fi
    (
        export DISPLAY=:$display
        wm="" pid="" failures=0
        trap 'kill $pid $wm 2>/dev/null' EXIT
        xrandr --newmode 1280x800 83.50 1280 1352 1480 1680 800 803 809 831 -hsync +vsync \
            && xrandr --newmode 1920x1080 173.00 1920 2048 2248 2576 1080 1083 1088 1120 -hsync +vsync \
            && xrandr --addmode DUMMY0 1280x800 && xrandr --addmode DUMMY1 1920x1080 \
            && xrandr --output DUMMY0 --mode 1280x800 --pos 0x280 --output DUMMY1 --mode 1920x1080 --pos 1280x0 --primary \
            || { fail "xrandr did not lay out the two monitors"; exit 1; }
        window_manager
        xdotool mousemove 640 680
        start_without ""
        title=$(window "$TITLE") && on_primary "$title" "the title window"
        check_box=on_primary start_by_keys
        main=$(window "$MAIN") && on_primary "$main" "the main window" || exit 1
        sleep 0.3
        xdotool windowmove --sync "$main" 100 380 mousemove 2240 540
        # Past the game's last look at a new window (SettlingLooks in
        # services/windowreports.h).
        sleep 2
        read -r left top width _ < <(outer "$main")
        (( left >= 0 && left + width <= 1280 && top >= 280 )) \
            || fail "the main window moved onto the laptop did not stay there: $(outer "$main")"
        box=$(window "$GRADUATION" "$calendar_wait") && { settles centred_on "$box" "${laptop[@]}" \
            || fail "the box at the end is not centred on the laptop: $(outer "$box")"; }
        exit "$failures"
    )
    failures=$((failures + $?))
    kill "$xorg_PID" && wait "$xorg_PID"
}
case "$wm_name:$language" in
    openbox:ja | kwin_x11:ja)
        echo "-- $wm_name on two monitors: the boxes open where the game is, not under the pointer"
        two_monitors
        ;;
esac

if [ "$failures" -gt 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "desktop session under $wm_name: all passed"
