#!/usr/bin/env bash
# Draws every picture, and its double-size version, as the build does, under
# the C and the Japanese locale, with Noto CJK visible and with a font
# configuration without it, and checks that all four give the bytes the
# build drew: no font or locale of the machine reaches the pictures.
#   pictures_anywhere.sh SVG2BMP ART_DIR RUN_DIR NAME|SOURCE|WIDTH|HEIGHT...
set -u
svg2bmp=$1
art=$2
drawn=$3
shift 3

locale -a | grep -qix 'ja_JP.utf-\?8' || { echo "SKIP: no ja_JP.UTF-8 locale (./setup.sh test makes it)"; exit 77; }
noto=$(fc-list -f '%{file}\n' ':family=Noto Sans CJK JP' | head -n 1)
[ -n "$noto" ] || { echo "SKIP: Noto CJK is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The machine's fonts but Noto's, folder by folder (a folder is read with
# the folders under it).
{
    echo '<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
    fc-list -f '%{file}\n' | xargs -d '\n' dirname | sort -u | grep -v noto | sed 's|.*|<dir>&</dir>|'
    echo "<cachedir>$work/cache</cachedir></fontconfig>"
} >"$work/no-noto.conf"
FONTCONFIG_FILE=$work/no-noto.conf fc-list : family | grep -q "Noto Sans CJK" \
    && { echo "FAIL: Noto is still visible without it"; exit 1; }

failures=0
for lang in C ja_JP.UTF-8; do
    for fonts in with-noto without-noto; do
        config=()
        [ "$fonts" = without-noto ] && config=(FONTCONFIG_FILE="$work/no-noto.conf")
        for entry in "$@"; do
            IFS='|' read -r name source width height <<<"$entry"
            double=${name%.BMP}@2x.BMP
            for size in "$name $width $height" "$double $((width * 2)) $((height * 2))"; do
                read -r file w h <<<"$size"
                env LANG="$lang" LC_ALL="$lang" "${config[@]}" QT_QPA_PLATFORM=offscreen \
                    "$svg2bmp" "$art/$source" "$work/$file" "$w" "$h" 2>/dev/null \
                    || { echo "FAIL: $file under $lang $fonts: not drawn"; failures=$((failures + 1)); continue; }
                cmp -s "$work/$file" "$drawn/$file" \
                    || { echo "FAIL: $file under $lang $fonts differs"; failures=$((failures + 1)); }
            done
        done
        echo "$lang, $fonts: $(($# * 2)) pictures drawn"
    done
done
[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "the pictures have the same bytes under both locales, with Noto and without"
