#!/usr/bin/env bash
# One soak run on a GTK 3 program with the plug-in; on failure the application's output.
# Usage: soak_run.sh BUILD-DIR PROGRAM PATH-TO-soak_driver [DRIVER OPTIONS...]
set -euo pipefail
build=$1
app=$2
driver=$3
shift 3
kTimeoutTenths=200
# shellcheck source=../e2e/process_lib.sh
. "$(dirname "$0")/../e2e/process_lib.sh"

if [[ "$app" != */* ]] && build_is_sanitized "$build"; then
    echo "skipped: a sanitized plug-in does not load into $app"
    exit 77
fi
start_test_app "$build" "$app"
# A soak without the plug-in would prove nothing about it.
wait_for "the plug-in to load" log_has "$app_log" "Loaded the plug-in bundle .*Vantro.bundle"
status=0
"$driver" --pid "$app_pid" \
    --settings "$top/tests/soak/settings_change.sh $build/apps/vantro-prefs/vantro-prefs" "$@" ||
    status=$?
if ! kill -0 "$app_pid" 2>/dev/null; then
    app_status=0
    wait "$app_pid" || app_status=$?
    status=1
    echo "FAIL: the application is gone (exit status $app_status)" >&2
fi
if [ "$status" -ne 0 ]; then
    echo "--- the application's output but its debug lines (last 60 lines)" >&2
    grep -v -- '-DEBUG: ' "$app_log" | tail -n 60 >&2 || true
fi
exit "$status"
