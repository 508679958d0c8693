#!/usr/bin/env bash
# A dish made through its window with real input: two products found in the window's own search
# and weighed, a cooked mass, saved as one more line of the category file. After a fresh start
# the search finds it; its whole cooked mass gives the day the same four totals as its
# ingredients do; "Изменить блюдо..." brings the recipe back, and a changed mass is saved.
# DISH_PICTURE=FILE keeps a picture of the filled window there.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
A11Y="$(dirname "$0")/a11y.py"
LISTS="$(dirname "$0")/a11y_lists.py"
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

# catalogue_item CAPTION: the item chosen from the menu "Каталог", as a user does.
catalogue_item() {
  click_named 'Каталог'
  sleep 0.5
  click_named "$1"
}

# weigh MASS: the mass dialog that opens gets the mass and Enter.
weigh() {
  wait_window 'Ввод массы' 10 >/dev/null || { screenshot dishes-no-mass-dialog; fail "the mass dialog did not open"; }
  xdotool type --delay 30 "$1"
  xdotool key Return
  wait_gone 'Ввод массы' || fail "the mass dialog did not close"
  sleep 0.3
}

# wait_cells LIST EXPECTED: the list a screen reader calls LIST reads EXPECTED (cells joined by "|").
wait_cells() {
  local cells=""
  for _ in $(seq 30); do
    cells=$(/usr/bin/python3 "$LISTS" cells "$1" 2>/dev/null | tr '\n' '|' || true)
    [ "$cells" = "$2" ] && return 0
    sleep 0.2
  done
  screenshot dishes-list-failure
  fail "$1 reads: $cells"
}

totals() { /usr/bin/python3 "$A11Y" totals | tr '\n' ' '; }

last_line() { tail -n 1 "$FILE" | iconv -f cp1251 -t utf-8; }

start_main
catalogue_item 'Новое блюдо...'
dish=$(wait_window 'Блюдо' 10) || fail "Новое блюдо... opened no dish window"
sleep 0.5
# The name field has the focus.
type_text 'Сырники'
click_named 'Найти продукт для блюда'
type_text 'молоко'
wait_cells 'Продукты для блюда' 'Молоко 3,2% — Молочные продукты|'
xdotool key Return
weigh 200
# Back in the search field, the next words replace the last.
type_text 'творог'
wait_cells 'Продукты для блюда' 'Творог 9% — Молочные продукты|'
xdotool key Return
weigh 100
wait_cells 'Состав блюда' 'Молоко 3,2% = 200|Творог 9% = 100|'
click_named 'Масса готового блюда, г'
xdotool type --delay 30 250
sleep 0.5
/usr/bin/python3 "$A11Y" centre 'на 100 г: белков 9 г · жиров 6.16 г · углеводов 4.56 г · 110.8 кКалорий' >/dev/null \
  || { screenshot dishes-values; fail "the values line does not follow the cooked mass"; }
screenshot dish-window-filled
if [ -n "${DISH_PICTURE:-}" ]; then
  xdotool mousemove 0 0
  sleep 0.3
  import -frame -window "$dish" "$DISH_PICTURE"
fi
click_named 'Сохранить'
wait_gone 'Блюдо' || { screenshot dishes-not-saved; fail "the dish window stayed open after Сохранить"; }

# One line more, after the last product, with the file's own CR LF; nothing else changed.
expected="$before $(printf 'Сырники;9;6,16;4,56;110,8\r\n' | iconv -f utf-8 -t cp1251 | od -An -tx1)"
[ "$(echo $(od -An -tx1 "$FILE"))" = "$(echo $expected)" ] || fail "file after the save: $(od -c "$FILE" | tail -4)"
xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# A fresh start: found by the search and added to the empty day at its whole cooked mass.
start_main
xdotool key --clearmodifiers ctrl+f
wait_window 'Найти продукт' 10 >/dev/null || fail "Ctrl+F opened no search window"
sleep 0.3
type_text 'сырн'
wait_cells 'Найденные продукты' 'Сырники — Молочные продукты|'
xdotool key Return
weigh 250
xdotool key Escape
wait_gone 'Найти продукт' || fail "Esc did not close the search window"
sleep 0.3
from_dish=$(totals)

# The same day made of the ingredients instead.
xdotool key --clearmodifiers ctrl+z
sleep 0.3
[ "$(totals)" = "0 0 0 0 " ] || fail "the day is not empty after undo: $(totals)"
add_product 'Молоко 3,2%' 200
add_product 'Творог 9%' 100
from_ingredients=$(totals)
[ "$from_dish" = "$from_ingredients" ] \
  || fail "the dish's cooked mass gives $from_dish, its ingredients $from_ingredients"
[ "$from_dish" = "22.5 15.4 11.4 277 " ] || fail "totals of the dish: $from_dish"

# The dish follows Творог in the grid: Down makes it current without adding it.
xdotool key Down
sleep 0.3
catalogue_item 'Изменить блюдо...'
wait_window 'Блюдо' 10 >/dev/null || { screenshot dishes-no-edit; fail "Изменить блюдо... opened no dish window"; }
wait_cells 'Состав блюда' 'Молоко 3,2% = 200|Творог 9% = 100|'
# The name field has the focus; Tab goes on to the ingredients, starting at the first, and F2
# asks its mass (the day lists a row of the same text: no click by name).
xdotool key Tab
sleep 0.3
xdotool key F2
weigh 300
wait_cells 'Состав блюда' 'Молоко 3,2% = 300|Творог 9% = 100|'
click_named 'Сохранить'
wait_gone 'Блюдо' || { screenshot dishes-change-not-saved; fail "the dish window stayed open after Сохранить"; }
[ "$(last_line)" = "$(printf 'Сырники;10,16;7,44;6,44;134,4\r')" ] || fail "changed line: $(last_line | od -c)"
[ "$(grep -c . "$FILE")" = 5 ] || fail "the change added a line: $(iconv -f cp1251 -t utf-8 "$FILE")"
# The day keeps its rows: each carries its own values.
[ "$(totals)" = "$from_ingredients" ] || fail "the day changed with the dish: $(totals)"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
