#!/usr/bin/env bash
# Writes random settings while a soak run goes on, until it is stopped:
# valid values of every key's shape through vantro-prefs (which announces
# each change), values of the wrong shape straight into dconf (which
# vantro-prefs refuses to write, so only dconf's own change notification
# carries them), and resets of single keys and of the whole folder. On
# SIGTERM it prints how many of each it wrote and exits 0.
# Usage: settings_churn.sh PATH-TO-vantro-prefs SEED
set -euo pipefail
prefs=$1
RANDOM=$2
readonly kFolder=/com/quillworks/vantro/

valid=0 wrong=0 resets=0 refused=0
report() {
    echo "settings churn: $valid valid values, $wrong of the wrong shape, $resets resets," \
        "$refused writes refused or failed"
    exit 0
}
trap report TERM INT

mapfile -t keys < <("$prefs" list | awk '{print $1}')
[ "${#keys[@]}" -gt 0 ] || { echo "settings churn: vantro-prefs lists no keys" >&2; exit 1; }

pick() { local -n from=$1; echo "${from[RANDOM % ${#from[@]}]}"; }
flag() { ((RANDOM % 2)) && echo true || echo false; }

# A value of the key's own shape. The master switch and the blacklist
# mostly leave the plug-in on, so that most actions meet it working.
valid_value() {
    case "$1" in
    VantroPluginEnabled) ((RANDOM % 5)) && echo true || echo false ;;
    VantroApplicationBlacklist)
        case $((RANDOM % 6)) in
        0) echo '["com.quillworks.VantroTestApp"]' ;;
        1) echo '[]' ;;
        *) echo '["com.example.Other", "org.example.Editor"]' ;;
        esac
        ;;
    VantroResolutionZoomMode) echo $((RANDOM % 3 - 1)) ;;
    VantroShowDimensions*) echo "[$(flag), $((RANDOM % 5 - 1))]" ;;
    VantroAnimateZooms | VantroShow*HudAlert) echo "[$(flag), -1]" ;;
    VantroDefaultZoomBehavior) echo "[$(flag), $((RANDOM % 7))]" ;;
    *) echo "[$(flag), $((RANDOM % 6 - 1))]" ;;
    esac
}

# GVariant texts of shapes no key has: a plug-in must read each as
# something sound.
# shellcheck disable=SC2034 # read through pick's name reference
wrong_shapes=(
    "'text'" "@av []" "[<true>]" "[<1>, <2>, <3>]" "[<'a'>, <'b'>]" "{'a': <1>}"
    "(1, 'x')" "@ai [1, 2, 3]" "@as ['com.quillworks.VantroTestApp']" "2147483647"
    "-1" "1.5e300" "<<<true>>>" "[<[<true>, <1>]>, <1>]" "@ay []" "objectpath '/x'"
    "@mi 5" "uint64 18446744073709551615" "byte 0xff" "@a{sv} {}" "[<true>, <'1'>]"
    "[<-2147483648>, <2147483647>]" "[<1.0e-300>, <-0.0>]" "@aav [[<1>]]"
)

while true; do
    key=$(pick keys)
    case $((RANDOM % 10)) in
    0 | 1 | 2 | 3 | 4 | 5)
        if "$prefs" set "$key" "$(valid_value "$key")" >/dev/null 2>&1; then
            valid=$((valid + 1))
        else
            refused=$((refused + 1))
        fi
        ;;
    6 | 7)
        if dconf write "$kFolder$key" "$(pick wrong_shapes)" 2>/dev/null; then
            wrong=$((wrong + 1))
        else
            refused=$((refused + 1))
        fi
        ;;
    8) "$prefs" reset "$key" >/dev/null 2>&1 && resets=$((resets + 1)) || refused=$((refused + 1)) ;;
    9)
        # Now and then everything goes back to the defaults.
        if ((RANDOM % 8 == 0)); then
            dconf reset -f "$kFolder" 2>/dev/null && resets=$((resets + 1)) || refused=$((refused + 1))
        fi
        ;;
    esac
    sleep "0.$((RANDOM % 3 + 1))" &
    wait $! || true
done
