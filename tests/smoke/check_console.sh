#!/bin/sh
# Runs tessaro-check in a console, as a user at a command prompt would, on a library whose file
# name is not ASCII ("Lüneburg.txt"), and checks that the console shows the name as it is.
# Under Wine the program's console is a pseudo-terminal of its own (script), which Wine's
# console passes on as UTF-8: a program that wrote its bytes in another code page shows other
# characters there, as it would in a Windows console.
#
#   check_console.sh WORK-FOLDER [RUNNER...] TESSARO-CHECK
#
# Exits 77 (skipped) when script(1) is missing.
set -eu

if [ $# -lt 2 ]; then
    echo "usage: check_console.sh WORK-FOLDER [RUNNER...] TESSARO-CHECK" >&2
    exit 2
fi
work=$1
shift
command -v script >/dev/null || {
    echo "SKIP: script is not installed (it comes with bsdutils)"
    exit 77
}

rm -rf "$work"
mkdir -p "$work/Lüneburg/E"
: >"$work/Lüneburg/E/Re44.bmp"
# One entry whose OL column holds "X".
printf '%-40s%s\r\n' 'Re 4/4' '4  CH E X60NBNNN0NRe44.bmp' >"$work/Lüneburg.txt"

line=
for word in "$@"; do
    line="$line '$word'"
done
status=0
(cd "$work" && script -qec "$line 'Lüneburg.txt'" /dev/null) >"$work/console.txt" 2>&1 ||
    status=$?
# The console's own control sequences and line ends aside.
shown=$(sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$work/console.txt" | tr -d '\r')
echo "$shown"
expected='Lüneburg.txt:1: error: column 49: OL "X" is not Y, N or 3'
echo "$shown" | grep -qxF "$expected" || {
    echo "FAIL: the console did not show the line: $expected"
    exit 1
}
[ "$status" -eq 1 ] || {
    echo "FAIL: expected exit status 1 for an error, saw $status"
    exit 1
}
