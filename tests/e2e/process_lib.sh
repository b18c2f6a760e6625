# What the end-to-end scripts that start several processes share: a work
# folder for their logs, the processes started (stopped on any exit, the
# folder removed), a failure that shows every log, and polling with a time
# limit. Sourced after the script sets kTimeoutTenths; a script that stops a
# process (SIGSTOP) names it in stopped_pid so that it can be ended too.

work=$(mktemp -d)
started=()
stopped_pid=""
cleanup() {
    local pid
    # A stopped process does not act on SIGTERM until it runs again.
    [ -n "$stopped_pid" ] && kill -CONT "$stopped_pid" 2>/dev/null || true
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM

fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log "$work"/*.out "$work"/*.err; do
        [ -e "$log" ] || continue
        echo "--- $(basename "$log")" >&2
        cat "$log" >&2
    done
    exit 1
}

# Polls a check every 100 ms until it succeeds or the time is up.
wait_for() { # description check...
    local what=$1 i
    shift
    for ((i = 0; i < kTimeoutTenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "timed out waiting for $what"
}

count() { grep -c -- "$1" "$2" || true; }
loaded_count() { count 'Loaded the plug-in bundle .*Vantro.bundle (com.quillworks.vantro)' "$1"; }
log_has() { grep -q -- "$2" "$1"; }
