#!/usr/bin/env bash
# A ration saved through the real file dialog and opened again in a fresh start of the program:
# the same rows and totals come back. Replacing the file asks first; "No" keeps it.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
A11Y="$(dirname "$0")/a11y.py"
start_x

start_a11y

cp -r "$DATA/files" "$WORK/"
mkdir "$WORK/rations"
SAVED="$WORK/rations/day.edk"

count_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }

# in_dialog KEYS TITLE PATH: opens a file dialog with KEYS, types PATH into it and presses Enter.
in_dialog() {
  xdotool key --clearmodifiers "$1"
  wait_window "$2" 10 >/dev/null || fail "dialog $2 did not open"
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$3"
  sleep 0.2
}

start_main
add_product 'Творог 9%' 150
add_product 'Молоко 3,2%' 250
rows_before=$(/usr/bin/python3 "$A11Y" ration)
totals_before=$(/usr/bin/python3 "$A11Y" totals | tr '\n' ' ')

# Save as: the name typed without its extension; the dialog adds ".edk".
in_dialog ctrl+shift+s 'Сохранить рацион...' "$WORK/rations/day"
screenshot save-dialog
xdotool key Return
wait_gone 'Сохранить рацион...' || fail "the save dialog did not close"
[ -f "$SAVED" ] || fail "no file was saved: $(ls "$WORK/rations")"
expected=$(printf 'Творог 9%%:150:16,7:9:2:159:\r\nМолоко 3,2%%:250:2,9:3,2:4,7:59:' | iconv -f utf-8 -t cp1251 | od -An -tx1)
[ "$(od -An -tx1 "$SAVED")" = "$expected" ] || fail "saved bytes differ: $(od -c "$SAVED" | head)"

# Save as onto the same file asks before replacing it; "No" returns to the dialog.
add_product 'Кефир 1%' 100
in_dialog ctrl+shift+s 'Сохранить рацион...' "$SAVED"
xdotool key Return
for _ in $(seq 50); do [ "$(count_windows 'Сохранить рацион...')" -ge 2 ] && break; sleep 0.1; done
[ "$(count_windows 'Сохранить рацион...')" -ge 2 ] || fail "no question before replacing the file"
screenshot replace-question
xdotool key Escape # "No"
sleep 0.5
[ "$(count_windows 'Сохранить рацион...')" -eq 1 ] || fail "the dialog did not stay open after No"
xdotool key Escape
wait_gone 'Сохранить рацион...' || fail "the save dialog did not close"
[ "$(od -An -tx1 "$SAVED")" = "$expected" ] || fail "the file changed although the user said No"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# A fresh start opens the file: the same rows and totals.
start_main
[ -z "$(/usr/bin/python3 "$A11Y" ration)" ] || fail "the fresh start is not empty"
# A name typed in the open dialog need not exist; the program then says it cannot open it.
in_dialog ctrl+o 'Загрузить рацион...' "$WORK/rations/typo.edk"
xdotool key Return
wait_window 'Warning' 10 >/dev/null || fail "no warning for a file that does not exist"
screenshot open-warning
xdotool key Return
wait_gone 'Warning' || fail "the warning did not close"
[ -z "$(/usr/bin/python3 "$A11Y" ration)" ] || fail "a failed Open changed the ration"
in_dialog ctrl+o 'Загрузить рацион...' "$SAVED"
xdotool key Return
wait_gone 'Загрузить рацион...' || fail "the open dialog did not close"
sleep 0.5
screenshot opened
rows=$(/usr/bin/python3 "$A11Y" ration)
totals=$(/usr/bin/python3 "$A11Y" totals | tr '\n' ' ')
[ "$rows" = "$rows_before" ] || fail "rows after Open: $rows (saved: $rows_before)"
[ "$totals" = "$totals_before" ] || fail "totals after Open: $totals (saved: $totals_before)"
[ "$totals" = "32.3 21.5 14.8 386 " ] || fail "totals: $totals"

# Ctrl+S now writes to the opened file without a dialog.
add_product 'Кефир 1%' 100
xdotool key --clearmodifiers ctrl+s
sleep 1
[ "$(count_windows 'Сохранить рацион...')" -eq 0 ] || fail "Save showed a dialog"
grep -q "$(printf 'Кефир 1%%:100:3:1:4:40:' | iconv -f utf-8 -t cp1251)" "$SAVED" || fail "Save did not write the new row"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
