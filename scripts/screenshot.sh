#!/bin/sh
# Redraws docs/main-window.png, the README's picture of the main window: builds the program,
# starts it on an X server of its own from a folder of a few drawings and takes the window as
# the window smoke test does.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -f "$root/build/build.ninja" ]; then
    cmake --build "$root/build" --target tessaro
else
    sh "$root/scripts/setup.sh"
fi

picture=$root/docs/main-window.png
status=0
sh "$root/tests/smoke/shoot_window.sh" "$root/build/ui/tessaro" "$picture" || status=$?
if [ "$status" -ne 0 ]; then
    echo "No picture taken; docs/main-window.png is unchanged." >&2
    exit 1
fi
echo "Wrote $picture"
