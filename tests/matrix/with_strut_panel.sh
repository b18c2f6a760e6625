#!/usr/bin/env bash
# Runs a command beside a panel (strut_panel.py) along the top of the
# monitor at X Y with size W x H, and waits until the window manager (if
# any) has taken the panel's strut into its work area. The command gets the
# panel's window id in MATRIX_STRUT_WINDOW; the panel goes when it ends.
# Usage: with_strut_panel.sh X Y W H -- CMD ARGS...
set -euo pipefail
[ $# -ge 6 ] && [ "$5" = -- ] || { echo "usage: with_strut_panel.sh X Y W H -- CMD..." >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
id_file=$(mktemp)
"$here/strut_panel.py" "$1" "$2" "$3" "$4" >"$id_file" &
panel_pid=$!
trap 'kill "$panel_pid" 2>/dev/null || true; wait "$panel_pid" 2>/dev/null || true; rm -f "$id_file"' EXIT
for _ in $(seq 50); do [ -s "$id_file" ] && break; sleep 0.1; done
[ -s "$id_file" ] || { echo "with_strut_panel.sh: the panel did not start" >&2; exit 1; }
MATRIX_STRUT_WINDOW=$(head -1 "$id_file")
export MATRIX_STRUT_WINDOW
# The window manager announces its new work area with _NET_WORKAREA.
sleep 0.5
shift 5
"$@"
