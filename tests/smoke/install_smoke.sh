#!/bin/sh
# Installs the build into a fresh prefix and checks what a desktop finds there: the program and
# the library checker tessaro-check, the program's menu entry (accepted by desktop-file-validate,
# naming the installed program and icon) and the icon, which must be the window icon's picture.
# Nothing else may be installed.
#
#   install_smoke.sh CMAKE BUILD-FOLDER PREFIX SOURCE-FOLDER
#
# PREFIX is emptied first. Exits 77 (skipped) only when the desktop entry checker or
# ImageMagick is missing.
set -eu

if [ $# -ne 4 ]; then
    echo "usage: install_smoke.sh CMAKE BUILD-FOLDER PREFIX SOURCE-FOLDER" >&2
    exit 2
fi
cmake=$1 build=$2 prefix=$3 source=$4

for tool in desktop-file-validate compare identify; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (sh scripts/setup.sh installs it)"
        exit 77
    fi
done

program=$prefix/bin/tessaro
entry=$prefix/share/applications/tessaro.desktop
icon=$prefix/share/icons/hicolor/32x32/apps/tessaro.png

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix"

failures=0
failed() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

installed=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort)
expected=$(printf '%s\n' bin/tessaro bin/tessaro-check share/applications/tessaro.desktop \
    share/icons/hicolor/32x32/apps/tessaro.png | sort)
[ "$installed" = "$expected" ] ||
    failed "installed files: expected $(echo "$expected" | paste -sd ' '); saw" \
        "$(echo "$installed" | paste -sd ' ')"

if [ -f "$program" ] && [ -x "$program" ]; then
    magic=$(od -An -tx1 -N4 "$program" | tr -d ' \n')
    [ "$magic" = 7f454c46 ] || failed "$program: expected an ELF executable, saw magic $magic"
else
    failed "$program: expected an executable file"
fi

usage=$("$prefix/bin/tessaro-check" --help 2>&1 | head -n 1) || true
[ "$usage" = "usage: tessaro-check LIBRARY.txt [LIBRARY.txt ...]" ] ||
    failed "the installed tessaro-check --help printed: $usage"

if [ -f "$entry" ]; then
    cmp -s "$source/packaging/tessaro.desktop" "$entry" ||
        failed "$entry differs from packaging/tessaro.desktop"
    # Hints and warnings count too: a clean entry passes without a word.
    verdict=$(desktop-file-validate "$entry" 2>&1) || failed "desktop-file-validate rejects $entry"
    [ -z "$verdict" ] || failed "desktop-file-validate on $entry says: $verdict"
    for line in "Type=Application" "Name=Tessaro" "Exec=tessaro" "Icon=tessaro" \
        "Categories=Graphics;"; do
        grep -qx "$line" "$entry" || failed "$entry: expected the line $line"
    done
    grep -q '^Comment=..*' "$entry" || failed "$entry: expected a Comment line"
    # The entry starts the installed program and shows the installed icon.
    command=$(sed -n 's/^Exec=//p' "$entry")
    [ -x "$prefix/bin/$command" ] || failed "Exec=$command names no program in $prefix/bin"
    name=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "$prefix/share/icons/hicolor/32x32/apps/$name.png" ] ||
        failed "Icon=$name names no icon in the 32x32 hicolor theme folder"
else
    failed "$entry: expected the desktop entry"
fi

if [ -f "$icon" ]; then
    signature=$(od -An -tx1 -N8 "$icon" | tr -d ' \n')
    [ "$signature" = 89504e470d0a1a0a ] || failed "$icon: expected a PNG file, saw $signature"
    size=$(identify -format '%wx%h' "png:$icon")
    [ "$size" = 32x32 ] || failed "$icon: expected 32x32 pixels, saw $size"
    # compare prints the number of differing pixels.
    differing=$(compare -metric AE "$source/resources/tessaro.bmp" "png:$icon" null: 2>&1) || true
    [ "$differing" = 0 ] ||
        failed "$icon: expected the pixels of resources/tessaro.bmp, $differing pixel(s) differ"
else
    failed "$icon: expected the icon"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed in $prefix"
    exit 1
fi
echo "installed into $prefix:"
echo "$installed"
