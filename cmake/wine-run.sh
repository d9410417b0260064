#!/bin/sh
# Runs a Windows program of the cross build under wine64: the build's own Wine prefix, the Qt for
# Windows and the mingw-w64 runtime on the program's PATH, Wine's own chatter off.
#
#   wine-run.sh PREFIX QT-FOR-WINDOWS PROGRAM [ARGUMENT...]
#
# Drive N: of the prefix is a drive without a medium; drive E: an empty folder on which tests
# mount a RAM file system of their own. A program run with TESSARO_SCRATCH_DRIVE_D
# set finds drive D: empty, mapped to a folder beside the prefix; runs that set it must not
# overlap (the tests that do hold a CTest resource lock).
#
# The prefix is made once (wineboot under a lock, so parallel runs do not race, bounded to five
# minutes); Wine starts its server itself and ends it shortly after the last run. Wine keeps
# variables named QT_* from the program, so they are handed over as WINEQT_*, which Wine passes
# under their own names. The offscreen platform finds its fonts in QT_QPA_FONTDIR, not in
# Wine's font folders; Qt's messages go to stderr. Each run is bounded by TESSARO_WINE_TIMEOUT
# seconds (default 280), then killed.
set -eu

if [ $# -lt 3 ]; then
    echo "usage: wine-run.sh PREFIX QT-FOR-WINDOWS PROGRAM [ARGUMENT...]" >&2
    exit 2
fi
prefix=$1 qt=$2
shift 2

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)

# Z: is the host's root in every Wine prefix.
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

export WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko install prompts while the prefix is made, and no menu entries or file
# associations written into the host's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mingw_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
export WINEPATH="$(windows_path "$qt/bin");$(windows_path "$mingw_runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"

mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
export WINEPREFIX="$prefix"
scratch=$prefix-drives
(
    flock 9
    if [ ! -f "$prefix/.made" ]; then
        timeout --kill-after=10 300 "$wine" wineboot --init >/dev/null 2>&1 9>&-
        # N: is a drive that is never ready: its folder does not exist.
        mkdir -p "$scratch/d"
        ln -sfn "$scratch/d" "$prefix/dosdevices/d:"
        ln -sfn "$scratch/no-medium" "$prefix/dosdevices/n:"
        touch "$prefix/.made"
    fi
    # E: is where a test mounts a small RAM file system of its own (through the host, see
    # tests/testsupport/mountedvolume.h); prefixes made before it existed get it here.
    mkdir -p "$scratch/e"
    ln -sfn "$scratch/e" "$prefix/dosdevices/e:"
    if [ -n "${TESSARO_SCRATCH_DRIVE_D:-}" ]; then
        rm -rf "$scratch/d"
        mkdir -p "$scratch/d"
    fi
) 9>"$prefix.lock"

: "${QT_QPA_FONTDIR:=/usr/share/fonts/truetype/dejavu}"
# Without a console window Qt sends its messages, and Qt Test its report, to the debugger only.
: "${QT_FORCE_STDERR_LOGGING:=1}"
export QT_QPA_FONTDIR QT_FORCE_STDERR_LOGGING
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "value=\${$name}"
    case $name in
    *FONTDIR | *PLUGIN_PATH) value=$(windows_path "$value") ;;
    esac
    export "WINE$name=$value"
done

if [ -z "${TESSARO_WINE_DPI:-}" ]; then
    exec timeout --kill-after=10 "${TESSARO_WINE_TIMEOUT:-280}" "$wine" "$@"
fi
# A desktop session (tests/desktop/desktop_session.sh) at the scale Windows is set to: the
# prefix's Wine server is one of this session alone, started on its X server with the scale
# set, and ended with it, so the next session's X server and scale are not mixed with this one's.
wineserver=$(dirname "$wine")/wineserver
"$wineserver" -k 2>/dev/null || true
timeout 60 "$wineserver" -w
timeout --kill-after=10 60 "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
    /t REG_DWORD /d "$TESSARO_WINE_DPI" /f >/dev/null
status=0
timeout --kill-after=10 "${TESSARO_WINE_TIMEOUT:-280}" "$wine" "$@" || status=$?
"$wineserver" -k 2>/dev/null || true
exit "$status"
