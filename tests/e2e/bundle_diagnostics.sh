#!/usr/bin/env bash
# What Vantro.so offers for debugging: the four diagnostics functions
# exported for a debugger, and the dumps a user asks for in the environment,
# written once the plug-in has loaded into the test application.
# Usage: bundle_diagnostics.sh BUILD-DIR PATH-TO-vantro-test-app
set -euo pipefail
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; [ -n "${app_log:-}" ] && cat "$app_log" >&2; exit 1; }
# shellcheck source=desktop_lib.sh
. "$top/tests/e2e/desktop_lib.sh"
trap stop_test_app EXIT
exported=$(nm -D --defined-only "$build/plugins/Vantro.bundle/Contents/Linux/Vantro.so")
for name in dumpClass dumpClasses isLeopard isSnowLeopard; do
    grep -qx "[0-9a-f]* T $name" <<<"$exported" || fail "Vantro.so does not export $name"
done
start_test_app "$build" "$2" VANTRO_DUMP_CLASSES=1 VANTRO_DUMP_CLASS=GtkTitleButton
wait_for_test_window >/dev/null
for line in 'isLeopard no, isSnowLeopard no' GtkWindow GtkMenu GtkTitleButton '@interface GtkTitleButton : .*'; do
    grep -qx "Vantro: $line" "$app_log" || fail "no line '$line' in the application's output"
done
echo "bundle diagnostics: ok"
