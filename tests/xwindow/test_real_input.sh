#!/usr/bin/env bash
# What only real input shows, under a Russian locale: the field's context menu in Russian and its
# Enter and Esc kept to the menu; right and middle presses that leave the catalogue grids as they
# were; a shaky right click on the ration that chooses nothing; OK pressed by a screen reader with
# the focus in the field; an error box of the mass dialog that the window manager stacks above it.
source "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
A11Y="$HERE/a11y.py"
MORE="$HERE/a11y_more.py"
start_x

start_a11y

# The fixture catalogue and a category whose first product lacks a value.
cp -r "$DATA/files" "$WORK/"
printf 'dairy.txt\r\nfruit.txt\r\nodd.txt\r\n' >"$WORK/files/db.txt"
printf 'Разное\r\nБез жиров;1;;1;1\r\nСыр;24;29,5;0,3;363\r\n' | iconv -f utf-8 -t cp1251 >"$WORK/files/odd.txt"

(cd "$WORK" && exec env -u QT_QPA_PLATFORM -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=ru_RU.UTF-8 QT_FONT_DPI=96 \
  "$EDOKLAD") >"$WORK/edoklad.log" 2>&1 &
APP_PID=$!
PIDS+=($APP_PID)

# our_windows TITLE: the program's visible windows with that title, bottom to top of creation.
# Titles are read from _NET_WM_NAME: without the C library's ru_RU locale Qt writes WM_NAME,
# which xdotool matches, garbled.
our_windows() {
  local w
  for w in $(xdotool search --onlyvisible --classname edoklad 2>/dev/null); do
    [ "$(xprop -id "$w" _NET_WM_NAME)" = "_NET_WM_NAME(UTF8_STRING) = \"$1\"" ] && echo "$w"
  done
  return 0
}
# wait_our TITLE [EXCEPT]: waits for a window with that title (other than EXCEPT) and prints it.
wait_our() {
  local w
  for _ in $(seq 100); do
    for w in $(our_windows "$1"); do [ "$w" != "${2:-}" ] && { echo "$w"; return 0; }; done
    sleep 0.1
  done
  return 1
}
# wait_hidden ID: waits until the window is no longer shown.
wait_hidden() {
  for _ in $(seq 50); do
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
    sleep 0.1
  done
  return 1
}
shown() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
# move_to X Y: xdotool's --sync waits for a motion, which never comes when the pointer is there.
move_to() {
  eval "$(xdotool getmouselocation --shell)"
  [ "$X" = "$1" ] && [ "$Y" = "$2" ] || xdotool mousemove --sync "$1" "$2"
}
centre() { /usr/bin/python3 "$A11Y" centre "$1" || fail "$1 not found"; }
# click NAME BUTTON: a click of that button on the object named NAME.
click() {
  local x y
  read -r x y < <(centre "$1")
  move_to "$x" "$y"
  xdotool click "$2"
}
rows() { /usr/bin/python3 "$A11Y" ration; }
# expect_rows EXPECTED WHAT: the ration rows read by a screen reader become EXPECTED within a few
# seconds (the accessibility tree follows the window with a delay).
expect_rows() {
  local now
  for _ in $(seq 10); do
    now=$(rows)
    [ "$now" = "$1" ] && return 0
    sleep 0.3
  done
  fail "ration rows $2: $(tr '\n' '|' <<<"$now")"
}

main=$(wait_our "$TITLE") || fail "main window not found"
xdotool windowactivate --sync "$main"
sleep 1

# The mass field's own menu speaks Russian; Enter and Esc used in it stay there.
click 'Молоко 3,2%' 1
dialog=$(wait_our 'Ввод массы') || fail "the mass dialog did not open"
sleep 0.3
read -r x y < <(centre 'Масса')
move_to $((x - 8)) "$y"
xdotool click 3
sleep 0.5
items=$(/usr/bin/python3 "$MORE" menu Down) || fail "the field's menu did not open"
echo "field menu: $(echo "$items" | cut -f1 | tr '\n' '|')"
grep -q '^Отменить' <<<"$items" || fail "the field's menu is not in Russian: $items"
grep -q '^Вставить' <<<"$items" || fail "the field's menu is not in Russian: $items"
xdotool key Return # chooses the highlighted item
sleep 0.5
shown "$dialog" || fail "Enter in the field's menu confirmed the dialog"
xdotool click 3
sleep 0.5
xdotool key Escape
sleep 0.5
shown "$dialog" || fail "Esc in the field's menu cancelled the dialog"
[ -z "$(rows)" ] || fail "the ration changed while the dialog was open: $(rows)"
xdotool key ctrl+a type 150
xdotool key Return
wait_hidden "$dialog" || fail "Enter did not confirm the dialog"
expect_rows 'Молоко 3,2% = 150' "after the field's menu"

# Right and middle presses move neither grid's current row: the category stays, and the header
# opens the dialog for the product the left button chose.
click 'Фрукты' 3
click 'Фрукты' 2
sleep 0.3
products=$(/usr/bin/python3 "$MORE" products)
[ "$products" = $'Молоко 3,2%\nКефир 1%\nТворог 9%' ] || fail "products after other buttons: $products"
click 'Творог 9%' 3
click 'Кефир 1%' 2
sleep 0.3
click 'Продукты' 1
dialog=$(wait_our 'Ввод массы') || fail "the header did not open the mass dialog"
sleep 0.3
xdotool key Return
wait_hidden "$dialog" || fail "the dialog did not close"
expect_rows $'Молоко 3,2% = 150\nМолоко 3,2% = 150' "after other buttons"

# The release of the right click that opened a ration menu chooses only after a deliberate move:
# press, motion, release, as a hand does it. The drag distance is 10 pixels.
read -r rx ry < <(centre 'Молоко 3,2% = 150')
shaky() { # shaky NAME X Y DY EXPECTED-ROWS
  local name=$1
  shift
  move_to "$1" "$2"
  xdotool mousedown 3
  sleep 0.4
  [ "$3" -ne 0 ] && xdotool mousemove_relative --sync 0 "$3"
  xdotool mouseup 3
  sleep 0.4
  screenshot "shaky-$name"
  xdotool key Escape # closes a menu still open
  sleep 0.3
  expect_rows "$4" "after a right click moved by $3 px at $1,$2"
}
two=$'Молоко 3,2% = 150\nМолоко 3,2% = 150'
shaky row-still "$rx" "$ry" 0 "$two"
shaky row-3px "$rx" "$ry" 3 "$two"
shaky clear-3px "$rx" $((ry + 60)) 3 "$two" # below the rows: the clear menu
# Past the first item (a new mass for the row) onto the removal below it.
shaky row-38px "$rx" "$ry" 38 'Молоко 3,2% = 150'

# A screen reader presses OK while the focus stays in the field: the mass is still kept in range.
click 'Кефир 1%' 1
dialog=$(wait_our 'Ввод массы') || fail "the mass dialog did not open"
sleep 0.3
xdotool type 25000
/usr/bin/python3 "$MORE" press OK || fail "OK could not be pressed"
wait_hidden "$dialog" || fail "OK did not close the dialog"
expect_rows $'Молоко 3,2% = 150\nКефир 1% = 20000' "after OK pressed by a screen reader"

# An error of the mass dialog's OK: the box opens above the dialog, and both close on its OK.
click 'Разное' 1
sleep 0.3
click 'Без жиров' 1
dialog=$(wait_our 'Ввод массы') || fail "the mass dialog did not open"
sleep 0.3
xdotool key Return
box=$(wait_our "$TITLE" "$main") || fail "no error box"
sleep 0.5
screenshot error-over-dialog
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g')
echo "stacking, bottom to top: $(echo "$stacking" | tr '\n' ' ')"
below=$(grep -n -x "$(printf '0x%x' "$dialog")" <<<"$stacking" | cut -d: -f1)
above=$(grep -n -x "$(printf '0x%x' "$box")" <<<"$stacking" | cut -d: -f1)
[ -n "$below" ] && [ -n "$above" ] || fail "dialog or box not managed: $stacking"
[ "$above" -gt "$below" ] || fail "the error box is stacked under the mass dialog"
xdotool windowactivate --sync "$box" key Return
wait_hidden "$box" || fail "the error box did not close"
wait_hidden "$dialog" || fail "the mass dialog stayed open after the error"
expect_rows $'Молоко 3,2% = 150\nКефир 1% = 20000' "after the error"

xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
