#!/usr/bin/env bash
# A product of the user's own, made through the catalogue menu and the product dialog with real
# input: it is written into the category file as one more line, listed at once, found by the
# search (Ctrl+F) and added from there with its values, and found again after a fresh start.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
A11Y="$(dirname "$0")/a11y.py"
LISTS="$(dirname "$0")/a11y_lists.py"
start_x
start_a11y

cp -r "$DATA/files" "$WORK/"
FILE="$WORK/files/dairy.txt"
before=$(od -An -tx1 "$FILE")

# search WORDS EXPECTED: Ctrl+F, the words typed, until the found list reads EXPECTED.
search() {
  xdotool key --clearmodifiers ctrl+f
  wait_window 'Найти продукт' 10 >/dev/null || fail "Ctrl+F opened no search window"
  sleep 0.3
  type_text "$1" 50
  local found=""
  for _ in $(seq 30); do
    found=$(/usr/bin/python3 "$LISTS" cells 'Найденные продукты' 2>/dev/null || true)
    [ "$found" = "$2" ] && return 0
    sleep 0.2
  done
  screenshot products-search-failure
  fail "search for '$1' found: $(tr '\n' '|' <<<"$found")"
}

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
type_text "$NAME"
for value in 8 23,5 27.5 407; do
  xdotool key Tab
  type_text "$value"
done
screenshot product-dialog-filled
xdotool key Return
wait_gone 'Новый продукт' || fail "the product dialog did not close"

# One line more, after the last product, with the file's own CR LF; nothing else changed.
expected="$before $(printf 'Сырок Ёжик;8;23,5;27.5;407\r\n' | iconv -f utf-8 -t cp1251 | od -An -tx1)"
[ "$(echo $(od -An -tx1 "$FILE"))" = "$(echo $expected)" ] || fail "file bytes: $(od -c "$FILE" | tail -4)"
sleep 0.5
screenshot product-added

# Found by the search, "е" for "ё", and added from there.
search 'ежик' "$NAME — Молочные продукты"
xdotool key Return
wait_window 'Ввод массы' 10 >/dev/null || fail "Enter in the search opened no mass dialog"
xdotool type --delay 30 200
xdotool key Return
wait_gone 'Ввод массы' || fail "the mass dialog did not close"
xdotool key Escape
wait_gone 'Найти продукт' || fail "Esc did not close the search window"
totals=$(/usr/bin/python3 "$A11Y" totals | tr '\n' ' ')
[ "$totals" = "16.0 47.0 55.0 814 " ] || fail "totals with the new product: $totals"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# A fresh start lists it.
start_main
/usr/bin/python3 "$A11Y" centre "$NAME" >/dev/null || fail "the product is gone after a restart"
screenshot product-after-restart
search 'сырок' "$NAME — Молочные продукты"
xdotool key Escape
wait_gone 'Найти продукт' || fail "Esc did not close the search window"
xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
