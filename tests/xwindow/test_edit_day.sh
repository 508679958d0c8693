#!/usr/bin/env bash
# A day edited with real input: a row's mass changed from its pop-up menu, F2, Enter and a double
# click; the changes taken back with Ctrl+Z and done again with Ctrl+Y; the file saved with the
# new grams. Rows, totals and menu items are read back through the accessibility tree.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
A11Y="$(dirname "$0")/a11y.py"
MORE="$(dirname "$0")/a11y_more.py"
start_x

start_a11y

cp -r "$DATA/files" "$WORK/"
mkdir "$WORK/rations"
start_main
add_product 'Творог 9%' 150
add_product 'Молоко 3,2%' 250

ration() { /usr/bin/python3 "$A11Y" ration | tr '\n' '|'; }
totals() { /usr/bin/python3 "$A11Y" totals | tr '\n' ' '; }
expect_rows() { [ "$(ration)" = "$1" ] || fail "$2: rows $(ration)"; }
item() { /usr/bin/python3 "$MORE" items | grep "^$1" || true; }

# new_mass GRAMS: answers the mass dialog that should be open, showing its row's mass.
new_mass() {
  local dialog
  dialog=$(wait_window 'Ввод массы' 10) || fail "the mass dialog did not open ($2)"
  sleep 0.3
  [ -n "${3:-}" ] && screenshot "$3"
  xdotool key ctrl+a
  xdotool type --delay 30 "$1"
  xdotool key Return
  wait_gone 'Ввод массы' || fail "the mass dialog did not close ($2)"
}

centre() { /usr/bin/python3 "$A11Y" centre "$1"; }

# The pop-up menu: its first item asks the row's mass.
read -r x y < <(centre 'Творог 9% = 150') || fail "no row Творог"
xdotool mousemove --sync "$x" "$y" click 3
sleep 0.8
screenshot edit-day-popup
xdotool key Down Return
new_mass 100 'popup item' edit-day-mass-dialog
expect_rows 'Творог 9% = 100|Молоко 3,2% = 250|' 'after the popup item'

# F2 and Enter on the current row, from the keyboard.
xdotool key F2
new_mass 120 'F2'
expect_rows 'Творог 9% = 120|Молоко 3,2% = 250|' 'after F2'
xdotool key Down Return
new_mass 200 'Enter'
expect_rows 'Творог 9% = 120|Молоко 3,2% = 200|' 'after Enter'

# A double click on a row.
read -r x y < <(centre 'Молоко 3,2% = 200') || fail "no row Молоко"
xdotool mousemove --sync "$x" "$y" click --repeat 2 --delay 80 1
new_mass 50 'double click'
expect_rows 'Творог 9% = 120|Молоко 3,2% = 50|' 'after the double click'
# 1.2 × (16,7; 9; 2; 159) + 0.5 × (2,9; 3,2; 4,7; 59)
[ "$(totals)" = '21.5 12.4 4.8 220 ' ] || fail "totals after the changes: $(totals)"

# Undo and redo from the keyboard; the menu names the step.
[ "$(item 'Отменить')" = 'Отменить: изменение массы «Молоко 3,2%»:on' ] || fail "undo item: $(item 'Отменить')"
[ "$(item 'Повторить')" = 'Повторить:off' ] || fail "redo item: $(item 'Повторить')"
xdotool key --clearmodifiers ctrl+z
sleep 0.3
expect_rows 'Творог 9% = 120|Молоко 3,2% = 200|' 'after Ctrl+Z'
xdotool key --clearmodifiers ctrl+z ctrl+z ctrl+z
sleep 0.3
expect_rows 'Творог 9% = 150|Молоко 3,2% = 250|' 'after three more Ctrl+Z'
[ "$(totals)" = '32.3 21.5 14.8 386 ' ] || fail "totals after undoing: $(totals)"
xdotool key --clearmodifiers ctrl+shift+z ctrl+y ctrl+y ctrl+y
sleep 0.3
expect_rows 'Творог 9% = 120|Молоко 3,2% = 50|' 'after redoing'
[ "$(item 'Повторить')" = 'Повторить:off' ] || fail "redo item after redoing: $(item 'Повторить')"

# Saved: the same names and values, the new grams.
xdotool key --clearmodifiers ctrl+shift+s
wait_window 'Сохранить рацион...' 10 >/dev/null || fail "the save dialog did not open"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$WORK/rations/day"
sleep 0.2
xdotool key Return
wait_gone 'Сохранить рацион...' || fail "the save dialog did not close"
expected=$(printf 'Творог 9%%:120:16,7:9:2:159:\r\nМолоко 3,2%%:50:2,9:3,2:4,7:59:' | iconv -f utf-8 -t cp1251 | od -An -tx1)
[ "$(od -An -tx1 "$WORK/rations/day.edk")" = "$expected" ] || fail "saved bytes: $(od -c "$WORK/rations/day.edk" | head)"

# Maximised: the lists take the screen, the rows and totals stay readable, the keys still work.
/usr/bin/python3 "$(dirname "$0")/wmstate.py" "$main" maximise
for _ in $(seq 50); do # the window manager and the program may take a while on a busy machine
  eval "$(xdotool getwindowgeometry --shell "$main")"
  [ "$WIDTH" -gt 900 ] && [ "$HEIGHT" -gt 600 ] && break
  sleep 0.2
done
sleep 0.5
[ "$WIDTH" -gt 900 ] && [ "$HEIGHT" -gt 600 ] || fail "the main window was not maximised: ${WIDTH}x${HEIGHT}"
read -r x y < <(centre 'Молоко 3,2% = 50') || fail "no row after maximising"
[ "$x" -lt $((WIDTH / 2)) ] && [ "$y" -gt $((HEIGHT / 2)) ] || fail "the ration row is at $x,$y"
screenshot edit-day-enlarged
expect_rows 'Творог 9% = 120|Молоко 3,2% = 50|' 'maximised'
[ "$(totals)" = '21.5 12.4 4.8 220 ' ] || fail "totals maximised: $(totals)"
xdotool key --clearmodifiers ctrl+z
sleep 0.3
expect_rows 'Творог 9% = 120|Молоко 3,2% = 200|' 'Ctrl+Z maximised'

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
