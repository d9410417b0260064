#!/bin/sh
# Sets up and builds Tessaro, then starts it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Tessaro cannot start: there is no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    exit 1
fi
exec "$root/build/ui/tessaro"
