#!/usr/bin/env bash
# The dialogs of fixed size (the mass dialog, the print dialog, a message box) ask the window
# manager for neither minimise nor maximise; minimised or maximised all the same, each comes
# back as it was, and the program goes on answering. A category and a product with names of
# hundreds of characters open dialogs that lie whole on the screen, their buttons within reach.
source "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
A11Y="$HERE/a11y.py"
WMSTATE="$HERE/wmstate.py"
export CUPS_SERVER="/nonexistent/cups.sock" # no printer: Ctrl+P shows an error box, then the print dialog
start_x
start_a11y
cp -r "$DATA/files" "$WORK/"
LONG_CATEGORY=$(printf 'Очень длинное название категории %.0s' $(seq 20) | cut -c1-600)
LONG_PRODUCT=$(printf 'Творог обезжиренный домашний %.0s' $(seq 11) | cut -c1-300)
printf 'long.txt\r\n' | iconv -f UTF-8 -t CP1251 >>"$WORK/files/db.txt"
printf '%s\r\n%s;16,7;9;2;159\r\n' "$LONG_CATEGORY" "$LONG_PRODUCT" | iconv -f UTF-8 -t CP1251 >"$WORK/files/long.txt"
start_main

# check_frame ID WHAT: the window asks for a close box and neither a minimise nor a maximise
# box or function (openbox keeps its own iconify button and full-screen item whatever a window
# asks, so the window manager's allowed actions are checked for maximising only).
check_frame() {
  local actions functions decorations
  read -r functions decorations < <(/usr/bin/python3 "$WMSTATE" "$1" motif) || fail "$2: no frame hints read"
  [ "$functions" != none ] || fail "$2 asks the window manager for nothing: every box is offered"
  (( (functions & 1) == 0 && (functions & 0x18) == 0 && (functions & 0x20) != 0 )) \
    || fail "$2: its frame functions are $functions (minimise 8, maximise 16 or all 1 asked; close 32 not)"
  (( (decorations & 1) == 0 && (decorations & 0x60) == 0 )) \
    || fail "$2: its frame decorations are $decorations (minimise 32, maximise 64 or all 1 asked)"
  actions=$(/usr/bin/python3 "$WMSTATE" "$1" actions) || fail "$2: its allowed actions cannot be read"
  grep -q '_NET_WM_ACTION_CLOSE' <<<"$actions" || fail "$2 cannot be closed: $actions"
  ! grep -q -E '_NET_WM_ACTION_(MAXIMIZE_HORZ|MAXIMIZE_VERT)' <<<"$actions" \
    || fail "$2 offers to maximise: $(tr '\n' ' ' <<<"$actions")"
}

# survives ID TITLE WIDTH HEIGHT WHAT: minimised, the window is shown again at once; maximised or
# full-screen, it keeps its size.
survives() {
  local id=$1 title=$2 width=$3 height=$4 what=$5
  xdotool windowminimize "$id"
  sleep 1
  wait_window "$title" 5 >/dev/null || fail "$what stays minimised: the program would ignore input"
  for state in maximise fullscreen; do
    /usr/bin/python3 "$WMSTATE" "$id" "$state"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$WIDTH" -eq "$width" ] && [ "$HEIGHT" -eq "$height" ] || fail "$what, asked to $state, is ${WIDTH}x${HEIGHT}"
  done
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"
}

read -r x y < <(/usr/bin/python3 "$A11Y" centre 'Творог 9%') || fail "product Творог 9% not found"
xdotool mousemove --sync "$x" "$y" click 1
dialog=$(wait_window 'Ввод массы' 10) || fail "the mass dialog did not open"
check_frame "$dialog" "the mass dialog"
survives "$dialog" 'Ввод массы' 263 189 "the mass dialog" # grown by the lines below its buttons
screenshot dialog-frames-mass
xdotool windowactivate --sync "$dialog"
xdotool type --delay 30 150
xdotool key Return
wait_gone 'Ввод массы' || fail "the mass dialog does not answer after being minimised and maximised"
[ "$(/usr/bin/python3 "$A11Y" ration)" = 'Творог 9% = 150' ] || fail "the row was not added"

xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
box=""
for _ in $(seq 100); do
  box=$(xdotool search --onlyvisible --name "^${TITLE}\$" 2>/dev/null | grep -v "^${main}\$" | head -n 1 || true)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no error box without a printer"
check_frame "$box" "the message box"
eval "$(xdotool getwindowgeometry --shell "$box")"
survives "$box" "$TITLE" "$WIDTH" "$HEIGHT" "the message box"
xdotool windowactivate --sync "$box" key Return

dialog=$(wait_window 'Печать рациона...' 20) || fail "the print dialog did not open after the error"
check_frame "$dialog" "the print dialog"
survives "$dialog" 'Печать рациона\.\.\.' 197 92 "the print dialog"
screenshot dialog-frames-print
/usr/bin/python3 "$HERE/a11y_more.py" press 'Отменить' || fail "no Отменить in the print dialog"
wait_gone 'Печать рациона\.\.\.' || fail "the print dialog does not answer"

# on_screen ID WHAT NAME...: the window's frame lies within the screen, and the objects of those
# names (its buttons, the label showing the name) within the frame.
on_screen() {
  local id=$1 what=$2 x y w h fx fy fw fh
  eval "$(xwininfo -id "$(frame_of "$id")" | awk '/Absolute upper-left X/ { print "fx=" $NF }
    /Absolute upper-left Y/ { print "fy=" $NF } /Width/ { print "fw=" $NF } /Height/ { print "fh=" $NF }')"
  (( fx >= 0 && fy >= 0 && fx + fw <= 1024 && fy + fh <= 768 )) \
    || fail "$what: its frame ${fw}x${fh}+$fx+$fy leaves the 1024x768 screen"
  shift 2
  while read -r x y w h; do
    (( x >= fx && y >= fy && x + w <= fx + fw && y + h <= fy + fh )) \
      || fail "$what: an object at ${w}x${h}+$x+$y reaches out of the frame ${fw}x${fh}+$fx+$fy"
  done < <(/usr/bin/python3 "$HERE/a11y_rects.py" any "$@" || fail "$what: its texts and buttons are not shown")
}
# frame_of ID: the window manager's frame around the window (the window itself without one).
frame_of() {
  local id=$1 parent
  while parent=$(xwininfo -children -id "$id" | awk '/Parent window id/ { print $4 }') \
    && [ -n "$parent" ] && [ "$(printf '%d' "$parent")" -ne "$(xwininfo -root | awk '/Window id/ { print $4 }' | xargs printf '%d')" ]; do
    id=$parent
  done
  echo "$id"
}

read -r x y < <(/usr/bin/python3 "$A11Y" centre "$LONG_CATEGORY") || fail "the long category is not listed"
xdotool mousemove --sync "$x" "$y" click 1
sleep 0.5
read -r x y < <(/usr/bin/python3 "$A11Y" centre 'Каталог') || fail "no menu Каталог"
xdotool mousemove --sync "$x" "$y" click 1
sleep 0.5
read -r x y < <(/usr/bin/python3 "$A11Y" centre 'Новый продукт...') || fail "no item Новый продукт..."
xdotool mousemove --sync "$x" "$y" click 1
dialog=$(wait_window 'Новый продукт' 10) || fail "the product dialog did not open"
sleep 0.5
screenshot dialog-frames-long-category
on_screen "$dialog" "the product dialog of a long category" OK 'Отмена' "Категория: $LONG_CATEGORY"
xdotool key Escape
wait_gone 'Новый продукт' || fail "Esc did not close the product dialog"

read -r x y < <(/usr/bin/python3 "$A11Y" centre "$LONG_PRODUCT") || fail "the long product is not listed"
xdotool mousemove --sync "$x" "$y" click 1
dialog=$(wait_window 'Ввод массы' 10) || fail "the mass dialog did not open for the long name"
sleep 0.5
screenshot dialog-frames-long-product
on_screen "$dialog" "the mass dialog of a long name" OK 'Отмена'
xdotool key Escape
wait_gone 'Ввод массы' || fail "Esc did not close the mass dialog"

xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
