#!/bin/sh
# Installs the Windows installer silently under Wine into a fresh Wine prefix, as a user without
# administrator rights would, and checks what Windows then has: exactly the program's files in
# the user's Programs folder (the same as in the zip), its Start-menu entry with the window icon,
# its uninstall entry for this user only, and the program's window, started from the Start-menu
# entry on an X server of its own. Then it uninstalls silently and checks that nothing of the
# program is left.
#
#   installer_smoke.sh SETUP.EXE ZIP VERSION ICON.bmp WORK-FOLDER PICTURE.png
#
# WORK-FOLDER is emptied first; it holds the Wine prefix, Wine's desktop files and the logs, and
# the prefix is removed when everything passed. Exits 77 (skipped) only when Wine, the X server
# or the picture tools are missing. Every wait is bounded.
set -eu

if [ $# -ne 6 ]; then
    echo "usage: installer_smoke.sh SETUP.EXE ZIP VERSION ICON.bmp WORK-FOLDER PICTURE.png" >&2
    exit 2
fi
setup=$1 zip=$2 version=$3 icon=$4 work=$5 picture=$6
here=$(cd "$(dirname "$0")" && pwd)
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
# Seconds for a Wine command to finish.
limit=120

for tool in "$wine" "$wineserver"; do
    if [ ! -x "$tool" ]; then
        echo "SKIP: $tool is not installed (scripts/windows.sh installs wine64)"
        exit 77
    fi
done
for tool in Xvfb xwininfo import convert compare unzip strings; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/windows.sh installs it)"
        exit 77
    fi
done
for file in "$setup" "$zip"; do
    if [ ! -f "$file" ]; then
        echo "FAIL: no package at $file" >&2
        exit 1
    fi
done

rm -rf "$work"
mkdir -p "$work/home" "$work/data" "$work/config"
work=$(cd "$work" && pwd)
# A Windows of its own: nothing the installer did not bring can help the program start. Wine's
# menu integration writes the Start menu's entries and icons as desktop files into the work
# folder, where they are checked, instead of the user's home.
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
# No Mono or Gecko install prompts.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH DISPLAY

cleanup() {
    timeout 30 "$wineserver" -k >/dev/null 2>&1 || true
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
failures=0
failed() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

run_wine() {
    timeout --kill-after=10 "$limit" "$wine" "$@"
}
# A folder Windows names by an environment variable, as a path here.
windows_folder() {
    folder=$(run_wine cmd /c echo "%$1%" | tr -d '\r')
    run_wine winepath -u "$folder" | sed 's|/$||'
}

started=$(date +%s)
run_wine wineboot --init >"$work/wineboot.log" 2>&1 ||
    fail "wineboot could not make the prefix: $(cat "$work/wineboot.log")"
echo "prefix made in $(($(date +%s) - started)) s"

started=$(date +%s)
status=0
run_wine "$setup" /S >"$work/setup.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "the installer ended with status $status: $(cat "$work/setup.log")"
echo "installed in $(($(date +%s) - started)) s"

programs=$(windows_folder LOCALAPPDATA)/Programs
folder=$programs/Tessaro
menu=$(windows_folder APPDATA)/Microsoft/Windows/Start\ Menu/Programs/Tessaro
common_menu=$(windows_folder ProgramData)/Microsoft/Windows/Start\ Menu/Programs/Tessaro
link=$menu/Tessaro.lnk
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaro'

# Exactly the program and the library checker with the DLLs and plugins they load, and the
# uninstaller.
[ -d "$folder" ] || fail "nothing installed in the user's Programs folder $programs"
installed=$(cd "$folder" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
expected=$(printf '%s\n' tessaro.exe tessaro-check.exe Uninstall.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll imageformats/qgif.dll licenses/Qt.txt licenses/LGPL-3.txt \
    licenses/GPL-3.txt licenses/gcc-runtime.txt licenses/mingw-w64.txt licenses/DejaVu-fonts.txt \
    licenses/Tessaro.txt |
    LC_ALL=C sort)
[ "$installed" = "$expected" ] ||
    failed "installed files: expected $(echo "$expected" | paste -sd ' '); saw" \
        "$(echo "$installed" | paste -sd ' ')"
# The zip holds the same program in one folder.
zipped=$(unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | LC_ALL=C sort)
unzipped_expected=$(echo "$expected" | grep -vx Uninstall.exe)
[ "$zipped" = "$unzipped_expected" ] ||
    failed "$zip: expected $(echo "$unzipped_expected" | paste -sd ' '); saw" \
        "$(echo "$zipped" | paste -sd ' ')"
top=$(unzip -Z1 "$zip" | sed 's|/.*||' | sort -u)
[ "$top" = "tessaro-$version-windows-x64" ] ||
    failed "$zip: expected everything in the folder tessaro-$version-windows-x64, saw: $top"

# The licence page shows Tessaro's own licence, the one installed as licenses/Tessaro.txt: the
# page's text is packed into the installer, so it is read where CPack's NSIS script takes it.
script=$(dirname "$setup")/_CPack_Packages/win64/NSIS/project.nsi
page=$(sed -n 's/^ *!insertmacro MUI_PAGE_LICENSE "\(.*\)"[^"]*$/\1/p' "$script" 2>/dev/null)
if [ -z "$page" ] || [ ! -f "$page" ]; then
    failed "the installer has no licence page, or its text is gone ($script: \"$page\")"
elif ! cmp -s "$page" "$folder/licenses/Tessaro.txt"; then
    failed "the licence page shows $page, not the installed licenses/Tessaro.txt"
elif [ "$(head -n 1 "$page" | tr -d '\r')" != "Tessaro: compose a source library of railway-vehicle drawings for the Pavo display program." ] ||
    ! grep -q "GNU GENERAL PUBLIC LICENSE" "$page"; then
    failed "the licence page is not Tessaro's GPL licence: $(head -n 3 "$page" | tr -d '\r' | paste -sd ' ')"
fi

# The installed checker runs with what the installer brought.
usage=$(run_wine "$folder/tessaro-check.exe" --help 2>&1 | head -n 1 | tr -d '\r') || true
[ "$usage" = "usage: tessaro-check LIBRARY.txt [LIBRARY.txt ...]" ] ||
    failed "the installed tessaro-check.exe --help printed: $usage"

# The Start-menu entry of this user (not of all users) starts the installed program, in the
# user's documents (the shortcut's working folder, one of its UTF-16 strings).
documents=$(run_wine cmd /c echo "%USERPROFILE%\\Documents" | tr -d '\r')
if [ -f "$link" ]; then
    strings "$link" | grep -qi "^C:.*\\\\Programs\\\\Tessaro\\\\tessaro\\.exe$" ||
        failed "$link does not start the installed tessaro.exe: $(strings "$link" | paste -sd ' ')"
    strings -el "$link" | grep -qixF "$documents" ||
        failed "$link does not start in the documents folder $documents:" \
            "$(strings -el "$link" | paste -sd ' ')"
else
    failed "no Start-menu entry $link"
fi
[ ! -e "$common_menu" ] || failed "a Start-menu folder for all users: $common_menu"

# Add/Remove Programs lists it for this user, with the version of the build.
query=$(run_wine reg query "$uninstall_key" 2>&1 | tr -d '\r') ||
    failed "no uninstall entry $uninstall_key: $query"
value() {
    printf '%s\n' "$query" | sed -n "s/^ *$1 *REG_SZ *//p"
}
[ "$(value DisplayName)" = Tessaro ] || failed "DisplayName: expected Tessaro, saw $(value DisplayName)"
[ "$(value DisplayVersion)" = "$version" ] ||
    failed "DisplayVersion: expected $version, saw $(value DisplayVersion)"
uninstaller=$(value UninstallString | tr -d '"')
case $uninstaller in
*'\Programs\Tessaro\Uninstall.exe') ;;
*) failed "UninstallString: expected the installed Uninstall.exe, saw $uninstaller" ;;
esac
case $(value DisplayIcon) in
*'\Programs\Tessaro\tessaro.exe') ;;
*) failed "DisplayIcon: expected the installed tessaro.exe, saw $(value DisplayIcon)" ;;
esac
if run_wine reg query "HKLM${uninstall_key#HKCU}" >/dev/null 2>&1; then
    failed "an uninstall entry for all users (HKLM): the installer should need no administrator"
fi

# The Start menu's icon is the window icon: Wine's menu integration draws the entry's icon, the
# one in tessaro.exe, as a PNG.
menu_icon=
polls=0
while [ -z "$menu_icon" ] && [ "$polls" -lt 100 ]; do
    menu_icon=$(find "$XDG_DATA_HOME/icons/hicolor/32x32/apps" -name '*_tessaro.0.png' 2>/dev/null |
        head -n 1)
    [ -n "$menu_icon" ] || sleep 0.2
    polls=$((polls + 1))
done
if [ -n "$menu_icon" ]; then
    differing=$(compare -metric AE "$icon" "png:$menu_icon" null: 2>&1) || true
    [ "$differing" = 0 ] ||
        failed "the Start-menu icon differs from $icon in $differing pixel(s) ($menu_icon)"
else
    failed "no icon for the Start-menu entry within 20 s (does tessaro.exe carry one?)"
fi

# The program as the user starts it: from its Start-menu entry. Wine's start returns at once;
# the Wine server runs as long as the program does. The session so far had no display: it has
# to end first, or the program would join it and show its window nowhere.
timeout 60 "$wineserver" -w || fail "Wine's programs did not end within 60 s"
cat >"$work/start-from-menu" <<START
#!/bin/sh
timeout $limit "$wine" start /unix "$link" || exit
exec "$wineserver" -w
START
chmod +x "$work/start-from-menu"
status=0
window=$(sh "$here/shoot_window.sh" "$work/start-from-menu" "$picture") || status=$?
[ "$status" -eq 0 ] || fail "the installed program showed no window titled \"Tessaro\""
timeout 30 "$wineserver" -k >/dev/null 2>&1 || true
echo "screenshot of the installed program: $picture ($window)"
# Its client area is the design's orange down to the bottom left corner.
size=${window#window }
bottom=$((${size#*x} - 3))
corner=$(convert "$picture" -format \
    "%[fx:int(255*p{2,$bottom}.r+0.5)] %[fx:int(255*p{2,$bottom}.g+0.5)] %[fx:int(255*p{2,$bottom}.b+0.5)]" info:)
[ "$corner" = "255 128 0" ] ||
    failed "the window's bottom left corner: expected orange (255 128 0), saw ($corner)"

# The uninstaller runs from a copy of itself and returns at once; its work is done when the
# program's folder is gone.
started=$(date +%s)
run_wine "$folder/Uninstall.exe" /S >"$work/uninstall.log" 2>&1 ||
    fail "the uninstaller failed: $(cat "$work/uninstall.log")"
polls=0
while [ -e "$folder" ] && [ "$polls" -lt 300 ]; do
    sleep 0.2
    polls=$((polls + 1))
done
timeout 60 "$wineserver" -w >/dev/null 2>&1 || true
echo "uninstalled in $(($(date +%s) - started)) s"
if [ -e "$folder" ]; then
    failed "left behind in $folder: $(cd "$folder" && find . | paste -sd ' ')"
fi
[ ! -e "$menu" ] || failed "left behind: the Start-menu folder $menu"
if run_wine reg query "$uninstall_key" >/dev/null 2>&1; then
    failed "left behind: the uninstall entry $uninstall_key"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed; the Wine prefix is kept in $WINEPREFIX"
    exit 1
fi
cleanup
rm -rf "$WINEPREFIX"
echo "installed, started and uninstalled $setup"
