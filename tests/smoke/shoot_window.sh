#!/bin/sh
# Starts Tessaro on an X server of its own (no window manager, so the X window is exactly the
# program's window, menu bar and client area, without a frame) from a folder holding a few
# drawings, waits for its main window, and writes a picture of that window.
#
#   shoot_window.sh PROGRAM PICTURE.png [WIDTHxHEIGHT]
#
# With a size, the window opens at that size instead of its designed one (Qt's own
# -qwindowgeometry option, as a window manager would size it).
#
# On success prints "window WIDTHxHEIGHT", the size the X server gives the window. Exits 77 when
# a tool it needs is missing, 1 when the window does not come up. Every wait is bounded, and the
# program and the X server are stopped on every way out.
set -eu

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: shoot_window.sh PROGRAM PICTURE.png [WIDTHxHEIGHT]" >&2
    exit 2
fi
program=$1
picture=$2
size=${3:-}
title=Tessaro
# Polls are 0.2 s apart.
window_polls=150
settle_polls=50

for tool in Xvfb xwininfo import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (sh scripts/setup.sh installs it)" >&2
        exit 77
    fi
done
case $program in
/*) ;;
*) program=$(pwd)/$program ;;
esac
if [ ! -x "$program" ]; then
    echo "FAIL: no program at $program" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tessaro.XXXXXX")
# shellcheck source=xserver.sh
. "$(dirname "$0")/xserver.sh"
xvfb_pid=
program_pid=

cleanup() {
    # The program first, so that it never sees its display go away.
    stop "$program_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
clean_up_on_exit

start_x_server 1024x768

# Drawings named by the naming convention, so that the file list has something to show.
mkdir "$work/drawings" "$work/runtime"
chmod 700 "$work/runtime"
convert -size 40x20 xc:red "BMP3:$work/drawings/FRG_BR 01_D_DB.bmp"
convert -size 60x20 xc:blue "BMP3:$work/drawings/I_ALn 668_VT_FS.bmp"
convert -size 50x20 xc:green "BMP3:$work/drawings/CH_Re 460_E_SBB.bmp"

(
    cd "$work/drawings"
    unset WAYLAND_DISPLAY
    if [ -n "$size" ]; then
        set -- -qwindowgeometry "$size+0+0"
    else
        set --
    fi
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime exec "$program" "$@"
) >"$work/program.log" 2>&1 &
program_pid=$!

# A window named exactly like the program's title that is on screen; Qt also names an unmapped
# helper window after the program.
find_window() {
    xwininfo -root -tree |
        sed -n "s/^ *\(0x[0-9a-f]*\) \"$title\": .*/\1/p" |
        while read -r id; do
            if xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
                echo "$id"
                break
            fi
        done
}

window=
polls=0
while [ -z "$window" ]; do
    if ! kill -0 "$program_pid" 2>/dev/null; then
        status=0
        wait "$program_pid" || status=$?
        program_pid=
        fail "the program ended (exit status $status) before a window titled \"$title\" appeared;" \
            "its output: $(cat "$work/program.log")"
    fi
    if [ "$polls" -ge "$window_polls" ]; then
        seen=$(xwininfo -root -tree | sed -n 's/^ *0x/0x/p')
        fail "no window titled \"$title\" appeared within $((window_polls / 5)) s;" \
            "windows on the display: ${seen:-none}"
    fi
    sleep 0.2
    polls=$((polls + 1))
    window=$(find_window)
done

# Raw pixels carry no time stamps, so two grabs of an unchanged window are equal byte for byte.
# The picture is taken once two grabs in a row agree, window size included, and show more than
# one colour (a window that is mapped but not painted yet shows one). The size is read at each
# grab: a window opened at a size of its own may still be growing to it.
grab() {
    info=$(xwininfo -id "$window")
    width=$(echo "$info" | sed -n 's/^ *Width: *//p')
    height=$(echo "$info" | sed -n 's/^ *Height: *//p')
    echo "${width}x${height}" >"$1"
    import -silent -window "$window" -depth 8 "rgb:-" >>"$1"
}
colours() {
    tail -n +2 "$1" | convert -size "${width}x${height}" -depth 8 rgb:- -format '%k' info:
}
grab "$work/before.rgb"
polls=0
while :; do
    sleep 0.2
    grab "$work/after.rgb"
    if cmp -s "$work/before.rgb" "$work/after.rgb" && [ "$(colours "$work/after.rgb")" -gt 1 ]; then
        break
    fi
    polls=$((polls + 1))
    if [ "$polls" -ge "$settle_polls" ]; then
        echo "note: the window still changed after $((settle_polls / 5)) s; keeping the last picture" >&2
        break
    fi
    mv "$work/after.rgb" "$work/before.rgb"
done

mkdir -p "$(dirname "$picture")"
tail -n +2 "$work/after.rgb" | convert -size "${width}x${height}" -depth 8 rgb:- -strip \
    -define png:exclude-chunks=date,time "png:$picture"
echo "window ${width}x${height}"
