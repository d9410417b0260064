#!/bin/sh
# Starts the built program in a real X session and checks its main window on screen: the size of
# the client area, the orange background, and the black status line and preview at their places
# to the pixel; then the window enlarged to 1000 x 700, orange to its borders.
#
#   window_smoke.sh PROGRAM OUTPUT-FOLDER
#
# Keeps the screenshots as OUTPUT-FOLDER/window-smoke.png and window-smoke-enlarged.png. Exits 77
# (skipped) only when the X server or the screenshot tools are missing.
set -eu

if [ $# -ne 2 ]; then
    echo "usage: window_smoke.sh PROGRAM OUTPUT-FOLDER" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
shot=$2/window-smoke.png
enlarged=$2/window-smoke-enlarged.png
rm -f "$shot" "$enlarged"

status=0
window=$(sh "$here/shoot_window.sh" "$1" "$shot") || status=$?
[ "$status" -eq 0 ] || exit "$status"
echo "screenshot: $shot"

size=${window#window }
width=${size%x*}
height=${size#*x}
failures=0
failed() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The design's places are in twips, 15 to the pixel.
px() {
    echo $((($1 + 7) / 15))
}
client_width=$(px 10860)
client_height=$(px 7155)
orange="255 128 0"
black="0 0 0"
tolerance=8

# "R G B" of one pixel of the screenshot.
colour_at() {
    convert "$shot" -format \
        "%[fx:int(255*p{$1,$2}.r+0.5)] %[fx:int(255*p{$1,$2}.g+0.5)] %[fx:int(255*p{$1,$2}.b+0.5)]" \
        info:
}

within() {
    difference=$(($1 - $2))
    [ "${difference#-}" -le "$tolerance" ]
}
# Whether colour "R G B" $1 is the colour $2 but for the tolerance.
near() {
    # shellcheck disable=SC2086 # split into the channels
    set -- $1 $2
    within "$1" "$4" && within "$2" "$5" && within "$3" "$6"
}

# The menu bar stands above the client area, which is orange from its top row to the window's
# bottom along its left border (nothing of the design stands there). Its height is the length
# of the orange run that ends in the bottom row.
run=$(convert "$shot" -crop "1x${height}+2+0" +repage -depth 8 txt:- |
    sed -n 's/^0,\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3 \4/p' |
    awk -v tolerance="$tolerance" '
        function off(a, b) { return a > b ? a - b : b - a }
        {
            if (off($2, 255) <= tolerance && off($3, 128) <= tolerance && off($4, 0) <= tolerance) {
                count = count + 1
            } else {
                count = 0
            }
        }
        END { print count + 0 }')
menu=$((height - run))
echo "window ${width}x${height}: menu bar ${menu} pixels high, client area ${width}x${run}"
[ "$width" -eq "$client_width" ] ||
    failed "window width: expected $client_width pixels, saw $width"
[ "$run" -eq "$client_height" ] ||
    failed "client area height (orange from below the menu bar to the bottom at x=2):" \
        "expected $client_height pixels, saw $run"
[ "$menu" -gt 0 ] ||
    failed "menu bar: expected one above the client area, saw the orange reach the window's top"

# A control's place in twips as the pixels it covers: left, top, right and bottom (the last two
# inclusive), and its middle row.
place() {
    left=$(px "$1") top=$(px "$2")
    right=$((left + $(px "$3") - 1)) bottom=$((top + $(px "$4") - 1))
    middle=$(((top + bottom) / 2))
}

# Looks at the pixel at client coordinates x,y and tells what it shows.
expect() {
    what=$1 x=$2 y=$3 name=$4 colour=$5
    seen=$(colour_at "$x" $((menu + y)))
    if near "$seen" "$colour"; then
        echo "ok: $what at $x,$y is $name ($seen)"
    else
        failed "$what at $x,$y: expected $name ($colour), saw ($seen)"
    fi
}

expect "background, top left corner" 2 2 orange "$orange"
expect "background, between the preview and the right column" 330 381 orange "$orange"
expect "background, bottom right corner" $((client_width - 3)) $((client_height - 3)) orange "$orange"

# A black control at the place the last call of place found: its corners and middle black, the
# background just left and right of it.
expect_black_control() {
    expect "$1, top left" "$left" "$top" black "$black"
    expect "$1, top right" "$right" "$top" black "$black"
    expect "$1, bottom left" "$left" "$bottom" black "$black"
    expect "$1, bottom right" "$right" "$bottom" black "$black"
    expect "$1, middle" $(((left + right) / 2)) "$middle" black "$black"
    expect "left of $1" $((left - 1)) "$middle" orange "$orange"
    expect "right of $1" $((right + 1)) "$middle" orange "$orange"
}

# lblAF, the status line: 105, 90, 10620, 300 twips. Its bottom row is left out, the list
# below starts in it.
place 105 90 10620 300
bottom=$((bottom - 1))
expect_black_control "status line lblAF"
expect "above status line lblAF" $(((left + right) / 2)) $((top - 1)) orange "$orange"

# picView, the preview, empty at start: 135, 5250, 4665, 945 twips.
place 135 5250 4665 945
expect_black_control "preview picView"
expect "below preview picView" $(((left + right) / 2)) $((bottom + 1)) orange "$orange"

# Enlarged, the client area grows with the window and stays orange beyond the design's size.
status=0
window=$(sh "$here/shoot_window.sh" "$1" "$enlarged" 1000x700) || status=$?
[ "$status" -eq 0 ] || exit "$status"
echo "screenshot: $enlarged"
[ "$window" = "window 1000x700" ] ||
    failed "enlarged window: expected 1000x700 pixels, saw ${window#window }"
shot=$enlarged
expect "enlarged, right of the design" $((client_width + 10)) 2 orange "$orange"
expect "enlarged, below the design" 2 $((client_height + 10)) orange "$orange"
expect "enlarged, bottom right corner" 997 $((700 - menu - 3)) orange "$orange"
place 135 5250 4665 945
expect "enlarged, preview picView in its place" "$left" "$top" black "$black"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed; the screenshots are in $2"
    exit 1
fi
echo "the main window matches the design, also enlarged; the screenshots are in $2"
