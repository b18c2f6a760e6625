# shellcheck shell=bash
# The processes the end-to-end and fault scripts start: logs in $work, shown on failure;
# everything in started (a SIGSTOPped stopped_pid too) ended on exit, then on_exit if
# defined; waits of kTimeoutTenths (set before sourcing). Sources desktop_lib.sh.

: "${kTimeoutTenths:=100}"
work=$(mktemp -d)
started=()
stopped_pid=""
cleanup() {
    local pid
    # A stopped process does not act on SIGTERM until it runs again.
    [ -n "$stopped_pid" ] && kill -CONT "$stopped_pid" 2>/dev/null || true
    for pid in "${started[@]}" ${app_pid:-}; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    ! declare -F on_exit >/dev/null || on_exit
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM

fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log "$work"/*.out "$work"/*.err; do
        [ ! -e "$log" ] || { echo "--- $(basename "$log")" && cat "$log"; } >&2
    done
    exit 1
}

wait_for() { poll "$kTimeoutTenths" "${@:2}" || fail "timed out waiting for $1"; } # description check...

count() { grep -c -- "$1" "$2" || true; }
loaded_count() { count 'Loaded the plug-in bundle .*Vantro.bundle (com.quillworks.vantro)' "$1"; }
log_has() { grep -q -- "$2" "$1"; }
need_tools() { for tool; do command -v "$tool" >/dev/null || fail "$tool not found (run tools/bootstrap)"; done; }
gone() { ! kill -0 "$1" 2>/dev/null; }
healthy() { # what
    ! gone "$app_pid" || fail "the application died $1"
    ! grep -E 'AddressSanitizer|runtime error|CRITICAL' "$app_log" || fail "the application reported errors $1"
}

# Each reload of xsettingsd is one "Loaded ... from" line.
start_xsettingsd() { # config
    xsettingsd -c "$1" 2>"$work/xsettingsd.log" &
    xsettingsd_pid=$!
    started+=("$xsettingsd_pid")
    wait_for "xsettingsd to own _XSETTINGS_S0" \
        log_has "$work/xsettingsd.log" 'Took ownership of selection _XSETTINGS_S0'
}
xsettings_reloads() { count 'Loaded .* from' "$work/xsettingsd.log"; }

# COMMAND execs the application: app_pid is the pid its bus name carries; its window is
# titled $app_title (the test application's by default).
start_app() { # name command...
    "${@:2}" >"$work/$1.log" 2>&1 &
    app_pid=$!
    started+=("$app_pid")
    wait_for "the $1 application's window" xdotool search --onlyvisible --pid "$app_pid" --name "^${app_title:-Vantro Test Window}\$"
}
bus_name() { echo "com.quillworks.vantro.Loader.p$1"; }
name_owned() {
    [ "$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$(bus_name "$1")")" = '(true,)' ]
}
load_request() { # pid
    gdbus call --session --timeout 20 --dest "$(bus_name "$1")" --object-path /com/quillworks/vantro/Loader \
        --method com.quillworks.vantro.Loader.LoadPlugins
}
expect_loaded() { # name times
    [ "$(loaded_count "$work/$1.log")" -eq "$2" ] ||
        fail "the $1 application loaded the bundle $(loaded_count "$work/$1.log") times, not $2"
}

# The widgets of $hooks (vantro-installer or vantro-settings) by name, as a click would.
widget() { "${hooks:?}" --test-get "$1"; }
shows() { [ "$(widget "$1")" = "$2" ]; }
act() { "$hooks" --test-set "$1" "$2" >/dev/null || fail "${hooks##*/} refused to set $1 to $2"; }
expect_shown() { wait_for "$1 to show '$2' (it shows '$(widget "$1")')" shows "$1" "$2"; } # name text

# shellcheck source=../e2e/desktop_lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/desktop_lib.sh"
