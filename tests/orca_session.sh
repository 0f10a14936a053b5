#!/usr/bin/env bash
# Plays the real program by keys alone with the Orca screen reader running,
# on a virtual X server with a window manager, and checks what Orca says,
# from its debug log: the day and the scene at a stop, the way back to the
# scene from the main window, the heroines' shares when the graph opens,
# stops aimed at a month by ear alone, and the end.
#   orca_session.sh GAME PICTURE_FOLDER [LANGUAGE]
# LANGUAGE is ja (the default: the game is told to speak Japanese, whatever
# the caller's locale) or en: the game is told to speak English on a
# Japanese desktop, and Orca must hear it all in English.
set -u
game=$(realpath "$1")
pictures=$(realpath "$2")
language=${3:-ja}

# What the game says, by language: captions, texts heard, and the months
# and school years as they are told while time runs.
if [ "$language" = en ]; then
    TITLE="Purumoke Nostalica" MAIN="PuruNos Main Screen" MESSAGES="Message" STOP="Stop, Time!"
    HOW_TO_START='Alt\+F, S.*double click' GRADUATION="Graduation" GRADUATION_HEARD="graduation day"
    END_HEARD='love letter|nobody under' YEARS=("Year 2" "Year 3") FOURTH_YEAR="Year 4"
    OPENING=("Listen Up, Nyeh (1/3)" "Listen Up, Nyeh (2/3)" "Listen Up, Nyeh (3/3)" "Big Serrrvice" "Here we GO!")
    MONTHS=(January February March April May June July August September October November December)
    # "Year 1, Oct 20": the month by its first three letters.
    DAY='^Year [0-9]+, [A-Z][a-z]{2} [0-9]+' PLACE='\[[^]|]+\]' NOT_IN_WORD='[^A-Za-z]'
    SHARES='Tushie Fujisaki [0-9]+ / 20\|Fooby Takehiyama [0-9]+ / 20\|Oyone Hippolane +[0-9]+ / 20'
    DAY_ALONE='^[A-Z][a-z]{2} [0-9]+$'
    game_language=(env LANG=ja_JP.UTF-8 LANGUAGE=ja "$game" --language=en)
else
    TITLE="ぷるもけ　ノスタリカ" MAIN="ぷるノス　メイン画面" MESSAGES="メッセージ" STOP="時間よ止まれ"
    HOW_TO_START='Alt\+F、S.*ダブルクリック' GRADUATION="卒業式" GRADUATION_HEARD="卒業式の日だ"
    END_HEARD='ラブレター|だれもいない' YEARS=(2年目 3年目) FOURTH_YEAR=4年目
    OPENING=("説明なのねん (1/3)" "説明なのねん (2/3)" "説明なのねん (3/3)" "大サーヴィス" "Here we GO!")
    MONTHS=(1月 2月 3月 4月 5月 6月 7月 8月 9月 10月 11月 12月)
    DAY='^[0-9]+年目　[0-9]+月[0-9]+日' PLACE='［[^］|]+］' NOT_IN_WORD='[^0-9]'
    SHARES='富士崎　緒詩里 [0-9]+ / 20\|武比山　保毛美 [0-9]+ / 20\|河馬之小路　おヨネ +[0-9]+ / 20'
    DAY_ALONE='^[0-9]+月[0-9]+日'
    game_language=("$game" --language=ja)
fi
# The number (1 to 12) of the month an utterance begins with; 0 for none.
month_of() {
    local i
    for i in "${!MONTHS[@]}"; do
        [[ $1 == "${MONTHS[i]}"* ]] && { echo $((i + 1)); return; }
    done
    echo 0
}
# The month of the day a stop told, as month_of gives it.
stopped_month() {
    local i day=${1%%|*}
    if [ "$language" = en ]; then
        for i in "${!MONTHS[@]}"; do
            [[ $day == *", ${MONTHS[i]:0:3} "* ]] && { echo $((i + 1)); return; }
        done
        echo 0
    else
        month_of "${day#*　}"
    fi
}
# A text as an extended regular expression that matches just it.
literally() { printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g'; }

for tool in orca speech-dispatcher xvfb-run openbox xdotool xprop dbus-run-session script; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed; the screen reader cannot be heard"
        exit 77
    fi
done
if [ -z "${PURUMOKE_IN_XVFB:-}" ]; then
    PURUMOKE_IN_XVFB=1 exec dbus-run-session -- \
        xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$@" 2> >(grep -v -e dbus-daemon -e SpiRegistry >&2)
fi

# The game shows its windows on this X server, whatever the caller chose.
unset QT_QPA_PLATFORM
# A home of its own, where speech goes to ALSA's null device: without a
# sound card speech-dispatcher would hang on its first utterance.
work=$(mktemp -d)
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache \
    XDG_RUNTIME_DIR=$work/run
mkdir -p -m 700 "$XDG_RUNTIME_DIR" && mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
echo 'AudioOutputMethod "alsa"' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
log=$work/orca.log
orca="" pid="" wm=""

# Orca may not heed SIGTERM: SIGKILL after a moment, and wait until it is
# gone, since a lingering Orca keeps the next one from starting.
end_orca() {
    [ -n "$orca" ] || return 0
    kill "$orca" 2>/dev/null
    for i in $(seq 50); do
        kill -0 "$orca" 2>/dev/null || break
        [ "$i" = 10 ] && kill -KILL "$orca" 2>/dev/null
        sleep 0.1
    done
    kill "$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null)" 2>/dev/null
}
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; end_orca; kill $wm 2>/dev/null; rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures failed; Orca said:"
        heard 0 | tail -n 40
        exit 1
    fi
    echo "orca session: all passed"
    exit 0
}

# What Orca has said since byte $1 of its log, one utterance a line, the
# lines of one utterance joined by "|"; with $2 = stamped, each begins with
# the time Orca logged it and a tab.
heard() {
    tail -c +"$(($1 + 1))" "$log" 2>/dev/null | awk -v stamped="${2:-}" '
        { sub(/\r$/, "") }
        open { sub(/^ +/, ""); text = text "|" $0 }
        !open && /SPEECH OUTPUT: \x27/ { text = substr($0, index($0, "SPEECH OUTPUT: \x27") + 16); when = $1; open = 1 }
        open && text ~ /\x27 ?\[?\{\x27established.*$/ {
            sub(/\x27 ?\[?\{\x27established.*$/, "", text); print (stamped ? when "\t" : "") text; open = 0 }'
}
mark() { stat -c %s "$log"; }
# Waits up to $3 seconds (10 by default) for Orca to say something that
# matches the extended regular expression $2 after byte $1, and prints it.
hears() {
    for _ in $(seq $((${3:-10} * 10))); do
        heard "$1" | grep -E -m 1 "$2" && return 0
        sleep 0.1
    done
    return 1
}
# The window manager activates the windows; one that has gone is started
# again, and its last words are shown.
window_manager() {
    kill -0 "$wm" 2>/dev/null && return 0
    [ -n "$wm" ] && echo "NOTE: the window manager exited: $(tail -n 3 "$work/openbox.log")"
    openbox >>"$work/openbox.log" 2>&1 &
    wm=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
}
# Waits up to $2 seconds (10 by default) for the window with exactly the
# title $1 to be active.
active() {
    for _ in $(seq $((${2:-10} * 10))); do
        window_manager
        [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
key() { xdotool key --clearmodifiers "$@"; }

window_manager
# Only one Orca of a user runs at a time.
for _ in $(seq 300); do
    pgrep -u "$(id -u)" -x orca >/dev/null || break
    sleep 0.1
done
if pgrep -u "$(id -u)" -x orca >/dev/null; then
    echo "SKIP: another Orca of this user is running"
    exit 77
fi
# Orca logs through a terminal, which it writes line by line: a file would
# hold the latest lines back.
script -qfc "echo \$\$ >'$work/orca.pid'; exec orca --debug-file=/dev/stdout" "$log" </dev/null >/dev/null 2>&1 &
hears 0 . 30 >/dev/null || { fail "Orca did not start"; exit 1; }
orca=$(cat "$work/orca.pid")

(cd "$pictures" && exec "${game_language[@]}") >/dev/null &
pid=$!
active "$TITLE" || fail "no title window"
# The title window is named, then its picture, which holds the keyboard.
for _ in $(seq 100); do
    [ "$(heard 0 | grep -c "^$TITLE")" -ge 2 ] && break
    sleep 0.1
done
[ "$(heard 0 | grep -c "^$TITLE")" -ge 2 ] || fail "the title picture is not named"
hears 0 "$HOW_TO_START" 5 >/dev/null || fail "the title picture does not tell how to start"
# Each box is answered once heard, as a listening player does: a box gone
# before Orca tells of it muddles what it says of the next one.
# Alt+F, S. Orca holds each key until it has heard it, but not the Alt+F
# shortcut: F waits until Alt is heard, or the late Alt closes the menu.
for _ in $(seq 5); do
    at=$(mark)
    xdotool keydown alt
    hears "$at" . 5 >/dev/null
    xdotool key f keyup alt key s
    active "${OPENING[0]}" 3 && break
    key Escape
done
for box in "${OPENING[@]}"; do
    active "$box" && hears "$at" "${box//[()]/.}" >/dev/null && at=$(mark) && key Return \
        || fail "no box \"$box\" heard"
done
active "$MAIN" || { fail "the main window is not active when the calendar starts"; finish; }

echo "-- a stop: the day as the main window shows it, then the scene, once each"
at=$(mark)
key space
scene=$(hears "$at" "$DAY\\|$PLACE(\\|[^|]+){3}\$") \
    || fail "no day and scene after a stop"
sleep 1
lines=()
[ -n "$scene" ] && IFS='|' read -ra lines <<<"$scene"
for line in "${lines[@]}"; do
    [ "$(heard "$at" | grep -cF -- "$line")" = 1 ] || fail "\"$line\" was not said once"
done
again=$(heard "$at" | sort | uniq -d)
[ -z "$again" ] && echo "heard: $scene" || fail "said again: $again"

echo "-- from the main window while the day waits: Space, Space runs time on"
at=$(mark)
xdotool windowactivate "$(xdotool search --name "^$(literally "$MAIN")\$" | head -n 1)"
hears "$at" "$(literally "$STOP")" >/dev/null || fail "the stop button is not heard in the main window"
at=$(mark)
key space
active "$MESSAGES" || fail "Space on the stop button did not go back to the scene"
hears "$at" "^$(literally "${lines[0]:-.}")" >/dev/null || fail "the scene is not heard again"
key space
active "$MAIN" || fail "time did not run on after the second Space"

echo "-- the graph: each heroine with her share, in the graph's order"
at=$(mark)
key Tab space
hears "$at" "$SHARES" \
    | sed 's/^/heard: /' | grep . || fail "the graph's shares are not heard"
key Return
active "$MAIN" || fail "the graph did not close"

echo "-- aims by ear: Space as a month three months ahead is heard, five times"
# A listener presses 250 ms after Orca starts to say the month, and 65 ms
# later for each character said before it; four of five stops must land
# in that month. Only Orca tells the test the date.
landed=0 first=$(mark)
for aim in 1 2 3 4 5; do
    at=$(mark)
    now=$(hears "$at" "^($(IFS='|'; echo "${MONTHS[*]}"))" 5) || { fail "no month heard while time runs"; break; }
    target=$((($(month_of "$now") + 2) % 12 + 1)) said=""
    month=${MONTHS[target - 1]}
    for _ in $(seq 1000); do
        said=$(heard "$at" stamped | grep -E -m 1 $'\t'"(.*$NOT_IN_WORD)?$month") && break
        sleep 0.01
    done
    [[ ${said#*$'\t'} =~ ^(.*$NOT_IN_WORD)?$month ]] || { fail "$month was not heard"; break; }
    delay=$(awk -v said="${said%%$'\t'*}" -v now="$(date +%T.%N)" \
        -v before="$(printf %s "${BASH_REMATCH[1]}" | LC_ALL=C.UTF-8 wc -m)" '
        function seconds(t, a) { split(t, a, ":"); return a[1] * 3600 + a[2] * 60 + a[3] }
        BEGIN { d = (seconds(said) + 0.25 + 0.065 * before - seconds(now) + 86400) % 86400
                printf "%.3f", (d < 43200 ? d : 0) }')
    sleep "$delay"
    at=$(mark)
    key space
    day=$(hears "$at" "$DAY") || { fail "no day heard after aim $aim"; break; }
    day=${day%%|*}
    [ "$(stopped_month "$day")" = "$target" ] && landed=$((landed + 1))
    echo "aim $aim: heard $month, waited $delay s more, stopped on $day"
    key space
    active "$MAIN" || { fail "time did not run on after aim $aim"; break; }
done
[ "$landed" -ge 4 ] || fail "only $landed of 5 aims landed in their month"
# A day is told at a stop, never while time runs.
heard "$first" | grep -qE "$DAY_ALONE" && fail "a day was said while time ran"

echo "-- the end: the letter or the failure"
# The calendar runs 1079 days, one per two refreshes of the 60 Hz screen
# while a screen reader listens; the wait allows three times that for a
# loaded machine or a sanitizer build.
at=$(mark)
if active "$GRADUATION" $((3 * 2 * 1079 / 60)); then
    hears "$at" "$GRADUATION_HEARD" >/dev/null || fail "the graduation is not heard"
    at=$(mark)
    key Return
    hears "$at" "$END_HEARD" | sed 's/^/heard: /' | grep . \
        || fail "neither the letter nor the failure is heard"
    # Escape closes the letter's window as well as the failure's box.
    key Escape
else
    fail "no graduation"
fi
for year in "${YEARS[@]}"; do
    heard 0 | grep -qx "$year" || fail "the school year $year was not heard"
done
# The pace a listener gets: two months heard in a row while time runs lie
# a month of days apart, at one day per two refreshes of the 60 Hz screen
# about 1 s (0.5 s at the sighted pace); the bound lies midway.
pace=$(heard "$first" stamped | awk -F '\t' -v months="${MONTHS[*]}" '
    function seconds(t, a) { split(t, a, ":"); return a[1] * 3600 + a[2] * 60 + a[3] }
    BEGIN { n = split(months, name, " "); for (i = 1; i <= n; i++) number[name[i]] = i }
    { month = ($2 in number) ? number[$2] : 0 }
    last && month == last % 12 + 1 { print seconds($1) - seconds(at) }
    { last = month; at = $1 }' | sort -n | awk '{ gap[NR] = $1 } END { if (NR >= 5) print gap[int((NR + 1) / 2)] }')
awk -v pace="${pace:-0}" 'BEGIN { printf "a month went by in %.2f s while time ran (above 0.76 s)\n", pace; exit !(pace > 0.76) }' \
    || fail "the calendar did not slow down for the screen reader"
heard 0 | grep -qx "$FOURTH_YEAR" && fail "graduation day was told as a fourth school year"
finish
