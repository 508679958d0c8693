#!/usr/bin/env bash
# A product of the user's own, made through the catalogue menu and the product dialog with real
# input: it is written into the category file as one more line, listed at once, joins the ration
# with its values, and is still there after a fresh start.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
A11Y="$(dirname "$0")/a11y.py"
start_x
start_a11y

cp -r "$DATA/files" "$WORK/"
FILE="$WORK/files/dairy.txt"
before=$(od -An -tx1 "$FILE")

# click_named TEXT: a left click on the visible object of that name.
click_named() {
  local x y
  read -r x y < <(/usr/bin/python3 "$A11Y" centre "$1") || fail "$1 not found"
  xdotool mousemove --sync "$x" "$y" click 1
}

NAME='Сырок Ёжик'
start_main
click_named 'Каталог'
sleep 0.5
click_named 'Новый продукт...'
wait_window 'Новый продукт' 10 >/dev/null || fail "the product dialog did not open"
sleep 0.5
screenshot product-dialog-empty
# The name field has the focus; Tab goes on through the four values, Enter is OK.
xdotool type --delay 40 "$NAME"
for value in 8 23,5 27.5 407; do
  xdotool key Tab
  xdotool type --delay 40 "$value"
done
screenshot product-dialog-filled
xdotool key Return
wait_gone 'Новый продукт' || fail "the product dialog did not close"

# One line more, after the last product, with the file's own CR LF; nothing else changed.
expected="$before $(printf 'Сырок Ёжик;8;23,5;27.5;407\r\n' | iconv -f utf-8 -t cp1251 | od -An -tx1)"
[ "$(echo $(od -An -tx1 "$FILE"))" = "$(echo $expected)" ] || fail "file bytes: $(od -c "$FILE" | tail -4)"
sleep 0.5
screenshot product-added

add_product "$NAME" 200
totals=$(/usr/bin/python3 "$A11Y" totals | tr '\n' ' ')
[ "$totals" = "16.0 47.0 55.0 814 " ] || fail "totals with the new product: $totals"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# A fresh start lists it.
start_main
/usr/bin/python3 "$A11Y" centre "$NAME" >/dev/null || fail "the product is gone after a restart"
screenshot product-after-restart
xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
