#!/usr/bin/env bash
# A ration built with real input events: a product is clicked, a mass typed and Enter pressed;
# the row and the totals are read back through the accessibility tree.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
A11Y="$(dirname "$0")/a11y.py"
start_x

# A private session bus with the accessibility bus on it.
eval "$(dbus-launch --sh-syntax)"
PIDS+=("$DBUS_SESSION_BUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
PIDS+=($!)
sleep 0.5
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

cp -r "$DATA/files" "$WORK/"
start_edoklad "$WORK"
main=$(wait_window "$TITLE") || fail "main window not found"
xdotool windowactivate --sync "$main"
sleep 1

add() { # add PRODUCT MASS
  read -r x y < <(/usr/bin/python3 "$A11Y" centre "$1") || fail "product $1 not found"
  xdotool mousemove --sync "$x" "$y" click 1
  dialog=$(wait_window 'Ввод массы' 10) || fail "the mass dialog did not open"
  xdotool type --delay 30 "$2"
  xdotool key Return
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Ввод массы$' >/dev/null 2>&1 || return 0; sleep 0.1; done
  fail "the mass dialog did not close"
}

add 'Творог 9%' 150
add 'Молоко 3,2%' 250
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
