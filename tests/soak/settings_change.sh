#!/usr/bin/env bash
# One settings change under the soak player chosen by DRAW: a value of a key's shape with
# vantro-prefs, one of a shape no key has into dconf, a reset of a key or of all. Prints
# what it ran, and a failure's status.
# Usage: settings_change.sh PATH-TO-vantro-prefs DRAW
set -uo pipefail
prefs=$1
draw=$2
readonly kFolder=/com/quillworks/vantro/
mapfile -t keys < <("$prefs" list)
read -r key _ text <<<"${keys[draw % ${#keys[@]}]}"
draw=$((draw / ${#keys[@]}))
choose() { shift $(((draw / 10) % $#)) && echo "$1"; }
# Of the key's shape; the master switch and the blacklist mostly leave it on.
case "$text" in
true | false) value=$( ((draw % 5)) && echo true || echo false) ;;
'["'* | '[]') value=$(choose '["com.quillworks.VantroTestApp"]' '[]' '["com.example.Other"]' '[]') ;;
'['* | -) value="[$( ((draw & 1)) && echo true || echo false), $(((draw / 2) % 8 - 1))]" ;;
*) value=$(((draw / 2) % 3 - 1)) ;;
esac
case $((draw % 10)) in
0) command=(dconf reset -f "$kFolder") ;;
1 | 2) command=("$prefs" reset "$key") ;;
3 | 4 | 5)
    command=(dconf write "$kFolder$key" "$(choose "'text'" '@av []' '[<true>]' '[<1>, <2>, <3>]' \
        "{'a': <1>}" "(1, 'x')" '@ai [1, 2, 3]' 2147483647 1.5e300 '<<<true>>>' '@mi 5' 'byte 0xff' \
        "[<true>, <'1'>]" '[<-2147483648>, <2147483647>]')")
    ;;
*) command=("$prefs" set "$key" "$value") ;;
esac
status=0
"${command[@]}" >/dev/null 2>&1 || status=$?
echo "${command[*]/#$prefs/vantro-prefs}$( ((status)) && echo " (exit $status)")"
