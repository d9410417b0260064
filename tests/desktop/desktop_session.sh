#!/bin/sh
# Runs a test program on a desktop of its own: an X server with a screen of the given size and
# the window manager openbox, at the given scale (dots per inch: 96 is 100 %, 144 is 150 %), and
# xdotool to press keys through the X server.
#
#   desktop_session.sh WIDTHxHEIGHT DPI PICTURE-FOLDER COMMAND [ARGUMENT...]
#
# A Linux program gets the scale as QT_SCALE_FACTOR; a Windows one, run under Wine through
# cmake/wine-run.sh, as Windows' own setting (Wine's LogPixels, which wine-run.sh writes into
# the prefix when TESSARO_WINE_DPI is set). The program finds the scale in TESSARO_DESKTOP_DPI
# and keeps its pictures in PICTURE-FOLDER (TESSARO_DESKTOP_PICTURES).
#
# With TESSARO_DESKTOP_SCREEN_READER set the desktop also has the accessibility bus a screen
# reader listens on (a D-Bus session and at-spi-bus-launcher), and Qt reports to it.
#
# Exits with the program's status; 77 (skipped) when the X server, openbox or xdotool is
# missing, or the accessibility bus where it is asked for. Every wait is bounded; the desktop is
# stopped on every way out.
set -eu

if [ $# -lt 4 ]; then
    echo "usage: desktop_session.sh WIDTHxHEIGHT DPI PICTURE-FOLDER COMMAND [ARGUMENT...]" >&2
    exit 2
fi
size=$1 dpi=$2 pictures=$3
shift 3

bus_launcher=/usr/libexec/at-spi-bus-launcher
tools="Xvfb openbox xdotool xprop import"
[ -z "${TESSARO_DESKTOP_SCREEN_READER:-}" ] || tools="$tools dbus-daemon $bus_launcher"
for tool in $tools; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (sh scripts/setup.sh installs it)"
        exit 77
    fi
done
mkdir -p "$pictures"
pictures=$(cd "$pictures" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tessaro-desktop.XXXXXX")
# shellcheck source=../smoke/xserver.sh
. "$(dirname "$0")/../smoke/xserver.sh"
xvfb_pid=
openbox_pid=
bus_pid=
launcher_pid=

cleanup() {
    stop "$launcher_pid"
    stop "$bus_pid"
    stop "$openbox_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
clean_up_on_exit
start_x_server "$size" "$dpi"

# openbox announces itself on the root window once it manages windows.
HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox_pid=$!
polls=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    [ "$polls" -lt 100 ] && kill -0 "$openbox_pid" 2>/dev/null ||
        fail "openbox did not start: $(cat "$work/openbox.log")"
    sleep 0.1
    polls=$((polls + 1))
done

if [ -n "${TESSARO_DESKTOP_SCREEN_READER:-}" ]; then
    dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >"$work/bus.log" 2>&1 &
    bus_pid=$!
    polls=0
    until [ -s "$work/bus" ]; do
        [ "$polls" -lt 50 ] || fail "dbus-daemon named no address: $(cat "$work/bus.log")"
        sleep 0.1
        polls=$((polls + 1))
    done
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
    export DBUS_SESSION_BUS_ADDRESS
    "$bus_launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
    launcher_pid=$!
    # The launcher names the accessibility bus on the root window once it runs.
    polls=0
    until xprop -root AT_SPI_BUS 2>/dev/null | grep -q unix; do
        [ "$polls" -lt 100 ] || fail "no accessibility bus: $(cat "$work/launcher.log")"
        sleep 0.1
        polls=$((polls + 1))
    done
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi

scale=$(awk "BEGIN { print $dpi / 96 }")
export TESSARO_DESKTOP_DPI="$dpi" TESSARO_DESKTOP_PICTURES="$pictures" TESSARO_WINE_DPI="$dpi"
export QT_QPA_PLATFORM= QT_SCALE_FACTOR="$scale"
# Under Wine the scale is the system's (LogPixels), not Qt's own factor.
case $* in
*.exe*) unset QT_SCALE_FACTOR ;;
*) unset TESSARO_WINE_DPI ;;
esac
[ -n "$QT_QPA_PLATFORM" ] || unset QT_QPA_PLATFORM
echo "desktop $DISPLAY: $size at $dpi dpi, openbox"
"$@"
