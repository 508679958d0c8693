#!/usr/bin/env bash
# Finding products with Ctrl+F under a real window manager: typed words list the products, Enter
# and a click on a row add them through the mass dialog, the search window keeps the keyboard
# between products, and Esc leaves the main window at the product last added.
source "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
A11Y="$HERE/a11y.py"
LISTS="$HERE/a11y_lists.py"
MORE="$HERE/a11y_more.py"
start_x

start_a11y

cp -r "$DATA/files" "$WORK/"
start_main

field() { /usr/bin/python3 "$LISTS" field 2>/dev/null || true; }
# wait_field NAME: the keyboard is in the text field a screen reader calls NAME.
wait_field() {
  for _ in $(seq 50); do [ "$(field)" = "$1" ] && return 0; sleep 0.1; done
  return 1
}
found() { /usr/bin/python3 "$LISTS" cells 'Найденные продукты' 2>/dev/null || true; }
# wait_found EXPECTED: the list reads EXPECTED, one row a line.
wait_found() {
  for _ in $(seq 30); do [ "$(found)" = "$1" ] && return 0; sleep 0.2; done
  screenshot search-failure
  fail "found: $(found | tr '\n' '|'), expected $(tr '\n' '|' <<<"$1")"
}

xdotool key --clearmodifiers ctrl+f
search=$(wait_window 'Найти продукт' 10) || fail "Ctrl+F opened no search window"
wait_field 'Найти продукт' || fail "the keyboard is not in the search field: $(field)"

# Enter adds the first product found, through the mass dialog.
type_text 'бан' 50
wait_found 'Банан — Фрукты'
xdotool key Return
wait_window 'Ввод массы' 10 >/dev/null || fail "Enter opened no mass dialog"
xdotool type --delay 30 150
xdotool key Return
wait_gone 'Ввод массы' || fail "the mass dialog did not close"

# The search window is still there, with the keyboard, and the words typed next replace the last.
xwininfo -id "$search" | grep -q IsViewable || fail "the search window closed after adding"
wait_field 'Найти продукт' || fail "the keyboard did not come back to the search field: $(field)"
type_text 'мол 3.2' 50
wait_found 'Молоко 3,2% — Молочные продукты'
screenshot search

# A click on a row adds that product.
read -r x y < <(/usr/bin/python3 "$A11Y" centre 'Молоко 3,2% — Молочные продукты') || fail "row not found"
xdotool mousemove --sync "$x" "$y" click 1
wait_window 'Ввод массы' 10 >/dev/null || fail "a click on a row opened no mass dialog"
xdotool type --delay 30 250
xdotool key Return
wait_gone 'Ввод массы' || fail "the mass dialog did not close"

xdotool key Escape
wait_gone 'Найти продукт' || fail "Esc did not close the search window"

rows=$(/usr/bin/python3 "$A11Y" ration)
[ "$rows" = $'Банан = 150\nМолоко 3,2% = 250' ] || fail "ration rows: $rows"
products=$(/usr/bin/python3 "$MORE" products)
[ "$products" = $'Молоко 3,2%\nКефир 1%\nТворог 9%' ] || fail "the product grid does not show the last product's category: $products"
focused=$(/usr/bin/python3 "$LISTS" focused || true)
[ "$focused" = 'Продукты' ] || fail "the product list does not have the keyboard: $focused"
# The keyboard goes on from the product last added: Enter there asks for it again.
xdotool key Return
wait_window 'Ввод массы' 10 >/dev/null || fail "Enter on the product grid opened no mass dialog"
xdotool type --delay 30 50
xdotool key Return
wait_gone 'Ввод массы' || fail "the mass dialog did not close"
rows=$(/usr/bin/python3 "$A11Y" ration)
[ "$rows" = $'Банан = 150\nМолоко 3,2% = 250\nМолоко 3,2% = 50' ] || fail "ration rows after Enter on the grid: $rows"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
