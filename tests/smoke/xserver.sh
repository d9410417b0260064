# Shell functions for the scripts that start an X server of their own (sourced, not run).
# The sourcing script sets work (a folder of its own) and defines cleanup.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs cleanup however the script ends; a signal ends it with the shell's status for it.
clean_up_on_exit() {
    trap cleanup EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# Stops the process PID: politely, then after five seconds for good. An empty PID is no process.
stop() {
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null || true
    polls=0
    while kill -0 "$1" 2>/dev/null && [ "$polls" -lt 25 ]; do
        sleep 0.2
        polls=$((polls + 1))
    done
    kill -9 "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# Starts Xvfb with one screen of WIDTHxHEIGHT, at DPI dots per inch where given, and exports its
# DISPLAY; its process is xvfb_pid. The server picks a free display itself and names it on fd 3
# once it takes connections.
start_x_server() {
    # shellcheck disable=SC2046 # no DPI: no option
    Xvfb -displayfd 3 -screen 0 "${1}x24" $([ -z "${2:-}" ] || echo "-dpi $2") -nolisten tcp \
        3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    display=
    polls=0
    while [ -z "$display" ]; do
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb ended at start: $(cat "$work/xvfb.log")"
        [ "$polls" -lt 50 ] || fail "Xvfb named no display within 10 s"
        sleep 0.2
        polls=$((polls + 1))
        display=$(cat "$work/display")
    done
    DISPLAY=:$display
    export DISPLAY
}
