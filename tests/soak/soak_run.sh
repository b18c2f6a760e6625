#!/usr/bin/env bash
# One soak run: the test application with the plug-in, the soak driver's
# random actions on it, and random settings (valid and of the wrong shape)
# written all the while. Passes when the driver does: the application
# survived, answered, held no grab and its memory stayed within the
# tolerance after the warm-up. The driver's figures are printed.
# Usage: soak_run.sh BUILD-DIR PATH-TO-vantro-test-app PATH-TO-soak_driver [DRIVER OPTIONS...]
#   (--seed S among the options also seeds the settings; without one a
#   random seed is chosen and printed)
set -euo pipefail
build=$1
app=$2
driver=$3
shift 3
top=$(cd "$(dirname "$0")/../.." && pwd)
kTimeoutTenths=200
# shellcheck source=../e2e/process_lib.sh
. "$top/tests/e2e/process_lib.sh"
# shellcheck source=../e2e/desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"

seed=""
options=("$@")
for ((i = 0; i < ${#options[@]}; i++)); do
    [ "${options[i]}" = --seed ] && seed=${options[i + 1]:-}
done
if [ -z "$seed" ]; then
    seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
    options+=(--seed "$seed")
fi

start_test_app "$build" "$app"
started+=("$app_pid")
wait_for_test_window >/dev/null
# A soak without the plug-in would prove nothing about it.
wait_for "the plug-in to load" log_has "$app_log" "Loaded the plug-in bundle .*Vantro.bundle"

"$top/tests/soak/settings_churn.sh" "$build/apps/vantro-prefs/vantro-prefs" "$seed" \
    >"$work/churn.out" 2>&1 &
churn_pid=$!
started+=("$churn_pid")

status=0
"$driver" --pid "$app_pid" "${options[@]}" || status=$?

kill -TERM "$churn_pid" 2>/dev/null || true
wait "$churn_pid" 2>/dev/null || true
cat "$work/churn.out"
if ! kill -0 "$app_pid" 2>/dev/null; then
    app_status=0
    wait "$app_pid" || app_status=$?
    status=1
    echo "FAIL: the application is gone (exit status $app_status)" >&2
fi
if [ "$status" -ne 0 ]; then
    echo "--- the application's output but its debug lines (last 60 lines)" >&2
    grep -v -- '-DEBUG: ' "$app_log" | tail -n 60 >&2
fi
stop_test_app
exit "$status"
