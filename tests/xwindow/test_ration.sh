#!/usr/bin/env bash
# A ration built with real input events: a product is clicked, a mass typed and Enter pressed;
# the row and the totals are read back through the accessibility tree.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
A11Y="$(dirname "$0")/a11y.py"
start_x

start_a11y

cp -r "$DATA/files" "$WORK/"
start_main

add_product 'Творог 9%' 150
add_product 'Молоко 3,2%' 250
screenshot ration

rows=$(/usr/bin/python3 "$A11Y" ration)
expected=$'Творог 9% = 150\nМолоко 3,2% = 250'
[ "$rows" = "$expected" ] || fail "ration rows: $rows"
totals=$(/usr/bin/python3 "$A11Y" totals | tr '\n' ' ')
# 1.5 × (16,7; 9; 2; 159) + 2.5 × (2,9; 3,2; 4,7; 59), in the C locale's decimal point.
[ "$totals" = "32.3 21.5 14.8 386 " ] || fail "totals: $totals"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
