#!/usr/bin/env bash
# Draws every picture and its double-size version, in Japanese and in
# English (en/), as the build does, under the C and the Japanese locale,
# with Noto CJK and with a font configuration without it: all four must
# give the bytes the build drew.
#   pictures_anywhere.sh SVG2BMP ART_DIR RUN_DIR NAME|SOURCE|WIDTH|HEIGHT...
set -u
svg2bmp=$1 art=$2 drawn=$3
shift 3
locale -a | grep -qix 'ja_JP.utf-\?8' || { echo "SKIP: no ja_JP.UTF-8 locale (./setup.sh test makes it)"; exit 77; }
fc-list | grep -q "Noto Sans CJK JP" || { echo "SKIP: Noto CJK is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/en"
# The machine's font folders but Noto's (a folder brings those under it).
{
    echo '<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
    fc-list -f '%{file}\n' | xargs -d '\n' dirname | sort -u | grep -v noto | sed 's|.*|<dir>&</dir>|'
    echo "<cachedir>$work</cachedir></fontconfig>"
} >"$work/fonts.conf"
FONTCONFIG_FILE=$work/fonts.conf fc-list | grep -q "Noto" && { echo "FAIL: Noto is still there"; exit 1; }

failures=0
for lang in C ja_JP.UTF-8; do
    for fonts in "" "FONTCONFIG_FILE=$work/fonts.conf"; do
        for entry in "$@"; do
            IFS='|' read -r name source width height <<<"$entry"
            for language in ja en; do
                for scale in 1 2; do
                    file=$name
                    [ "$scale" = 2 ] && file=${name%.BMP}@2x.BMP
                    [ "$language" = en ] && file=en/$file
                    env LANG="$lang" LC_ALL="$lang" $fonts QT_QPA_PLATFORM=offscreen "$svg2bmp" "$art/$source" \
                        "$work/$file" $((width * scale)) $((height * scale)) --language $language 2>/dev/null \
                        && cmp -s "$work/$file" "$drawn/$file" \
                        || { echo "FAIL: $file under $lang ${fonts:+without Noto}"; failures=$((failures + 1)); }
                done
            done
        done
    done
done
[ "$failures" -eq 0 ] || exit 1
echo "$(($# * 4)) pictures in Japanese and English: the same bytes under both locales, with Noto and without"
