#!/usr/bin/env bash
# The program as a native Wayland client of weston, nested in Xvfb. Rows are added with the
# mouse until the ration's last row lies near the screen's bottom; its pop-up menu must be
# announced to the compositor at its full size (so that the compositor can keep it on the screen)
# and be seen whole in the nested window. The mass dialog's title bar offers no maximise or
# minimise; it moves the dialog and closes it, and the program lives on and answers.
source "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
A11Y="$HERE/a11y.py"
SCREEN_W=1024
SCREEN_H=576 # the main window fills the height below the panel, so its last rows are near the bottom

command -v weston >/dev/null || fail "weston is not installed"
[ -n "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland-generic.so' -print -quit 2>/dev/null)" ] \
  || fail "Qt's Wayland platform plugin (qt6-wayland) is not installed"

start_xvfb
start_a11y
cp -r "$DATA/files" "$WORK/"

export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
SOCKET="edoklad-$$"
weston --backend=x11-backend.so --use-pixman --socket="$SOCKET" --width="$SCREEN_W" --height="$SCREEN_H" \
  --idle-time=0 --no-config >"$WORK/weston.log" 2>&1 &
PIDS+=($!)
WESTON_PID=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$SOCKET" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$SOCKET" ] || fail "weston did not start: $(tail -n 5 "$WORK/weston.log")"
nested=""
for _ in $(seq 100); do
  nested=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -n 1 || true)
  [ -n "$nested" ] && break
  sleep 0.1
done
[ -n "$nested" ] || fail "weston's window did not appear: $(tail -n 5 "$WORK/weston.log")"
sleep 2 # the shell's panel and background
xdotool mousemove --window "$nested" 5 $((SCREEN_H - 5))
import -window "$nested" "$WORK/desktop.png"

LOG="$WORK/edoklad.log"
(cd "$WORK" && exec env QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$SOCKET" WAYLAND_DEBUG=1 LC_ALL=C.UTF-8 \
  QT_FONT_DPI=96 "$EDOKLAD") >"$LOG" 2>&1 &
APP_PID=$!
PIDS+=($APP_PID)

# count TEXT: how often the protocol log holds TEXT.
count() { grep -c -F -- "$1" "$LOG" || true; }
# wait_count TEXT N [SECONDS]: until the protocol log holds TEXT at least N times.
wait_count() {
  for _ in $(seq $((${3:-10} * 10))); do
    [ "$(count "$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  return 1
}
alive() { kill -0 "$APP_PID" 2>/dev/null || wfail "the program ended: $(grep -v -E '^\[' "$LOG" | tail -n 3)"; }
shot() { import -window "$nested" "$ARTEFACTS/$1.png"; }
# wfail MESSAGE: keeps what the screen showed and the protocol's last words, then fails.
wfail() {
  shot wayland-failure || true
  tail -n 3000 "$LOG" >"$ARTEFACTS/wayland-protocol.log" || true
  fail "$@"
}

wait_count "set_title(\"$TITLE\")" 1 20 || wfail "the main window did not appear under weston"
/usr/bin/python3 "$A11Y" centre 'Категории продуктов' >/dev/null || wfail "the program is not in the accessibility tree"
sleep 1
alive

# changed BEFORE AFTER: "width height x y" of where the two screenshots differ, below the shell's
# panel (its clock may have turned to the next minute in between).
PANEL_H=32
changed() {
  convert "$1" "$2" -compose difference -composite -crop "${SCREEN_W}x$((SCREEN_H - PANEL_H))+0+$PANEL_H" +repage \
    -threshold 0 -trim -format '%w %h %X %Y\n' info: | tr -d '+' | awk -v p="$PANEL_H" '{ print $1, $2, $3, $4 + p }'
}

# A Wayland client does not know where its window is: the accessibility tree gives places in the
# window, and the screen shows where the window is (its frame is as wide on the left, right and
# bottom).
shot wayland-main
read -r frame_w frame_h frame_x frame_y < <(changed "$WORK/desktop.png" "$ARTEFACTS/wayland-main.png") \
  || wfail "the main window is not seen"
read -r client_w client_h < <(/usr/bin/python3 "$HERE/a11y_rects.py" size "$TITLE") || wfail "the window's size is not read"
border=$(((frame_w - client_w) / 2))
origin_x=$((frame_x + border))
origin_y=$((frame_y + frame_h - border - client_h))
echo "main window ${client_w}x${client_h} at $origin_x,$origin_y (frame ${frame_w}x${frame_h} at $frame_x,$frame_y)"

# click_named TEXT [BUTTON]: clicks the object the accessibility tree names TEXT.
click_named() {
  local x y
  read -r x y < <(/usr/bin/python3 "$A11Y" centre "$1") || wfail "no '$1' in the window"
  xdotool mousemove --window "$nested" $((origin_x + x)) $((origin_y + y)) click "${2:-1}"
}

MASS_TITLE='set_title("Ввод массы")'
ROWS=9
for i in $(seq "$ROWS"); do
  click_named 'Кефир 1%'
  wait_count "$MASS_TITLE" "$i" 10 || { alive; wfail "the mass dialog did not open for row $i"; }
  sleep 0.5
  xdotool type --delay 30 "$((100 + i))"
  xdotool key Return
  sleep 0.7
done
alive
rows=$(/usr/bin/python3 "$A11Y" ration | wc -l)
[ "$rows" -eq "$ROWS" ] || wfail "the ration has $rows rows, expected $ROWS"

# The last row's menu, opened by a right click where the row is, near the screen's bottom.
shot wayland-before-menu
popups=$(count '.get_popup(')
click_named "Кефир 1% = $((100 + ROWS))" 3
wait_count '.get_popup(' $((popups + 1)) 10 || { alive; wfail "no pop-up menu was opened"; }
sleep 1.5 # the slide
shot wayland-menu
size=$(grep -o 'xdg_positioner@[0-9]*\.set_size([0-9]*, [0-9]*)' "$LOG" | tail -n 1 | grep -o '([0-9]*, [0-9]*)' | tr -d '(),')
read -r menu_w menu_h <<<"$size"
[ -n "$menu_h" ] || wfail "the pop-up's size was not sent to the compositor"
[ "$menu_h" -ge 20 ] || wfail "the pop-up was announced ${menu_w}x${menu_h}, not at its full size"
# Where the compositor put it: its place in the main window's frame, which is where the screen shows it.
read -r menu_x menu_y _ menu_ch < <(grep -o 'xdg_popup@[0-9]*\.configure([-0-9]*, [-0-9]*, [0-9]*, [0-9]*)' "$LOG" \
  | tail -n 1 | grep -o '([-0-9, ]*)' | tr -d '(),')
[ -n "$menu_ch" ] || wfail "the compositor did not place the pop-up"
menu_x=$((frame_x + menu_x))
menu_y=$((frame_y + menu_y))
echo "pop-up ${menu_w}x${menu_h} at $menu_x,$menu_y on a ${SCREEN_W}x${SCREEN_H} screen"
[ "$menu_ch" -eq "$menu_h" ] || wfail "the compositor made the pop-up $menu_ch pixels high, not $menu_h"
[ "$menu_y" -ge 0 ] && [ $((menu_y + menu_h)) -le "$SCREEN_H" ] \
  || wfail "the menu lies off the screen (rows $menu_y..$((menu_y + menu_h - 1)) of $SCREEN_H)"
# The screen shows the menu's frame there: its bottom edge dark, its inside light.
luma() { convert "$ARTEFACTS/wayland-menu.png" -crop "1x1+$1+$2" -grayscale Rec709Luma -format '%[fx:p]' info:; }
edge=$(luma $((menu_x + menu_w / 2)) $((menu_y + menu_h - 1)))
inside=$(luma $((menu_x + menu_w - 8)) $((menu_y + menu_h / 2)))
awk -v e="$edge" -v i="$inside" 'BEGIN { exit !(i - e > 0.3) }' \
  || wfail "the screen does not show the menu there (bottom edge $edge, inside $inside)"
xdotool key Escape
sleep 0.5
alive

# The mass dialog, of fixed size, has a title bar of the program's own with its title and a close
# box only. Neither a double click on its title nor a click where Qt's own title bar has its
# maximise and minimise buttons maximises or minimises it; a drag on the title moves it.
click_named 'Кефир 1%'
wait_count "$MASS_TITLE" $((ROWS + 1)) 10 || wfail "the mass dialog did not open"
sleep 1
dialog=$(grep -o 'xdg_toplevel@[0-9]*\.set_title("Ввод массы")' "$LOG" | tail -n 1 | grep -o '@[0-9]*' | tr -d @)
read -r dialog_ax dialog_ay dialog_w dialog_h < <(/usr/bin/python3 "$HERE/a11y_rects.py" window 'Ввод массы') \
  || wfail "the mass dialog is not in the accessibility tree"
# find_dialog SHOT: where the screen shows the dialog's client area, found by the navy rule under
# the product's name (263 pixels wide, 49 down).
find_dialog() {
  local rule_w rule_x rule_y
  shot "$1"
  read -r rule_w _ rule_x rule_y < <(convert "$ARTEFACTS/$1.png" -fuzz 2% +transparent 'rgb(0,0,128)' -trim \
    -format '%w %h %X %Y\n' info: 2>/dev/null | tr -d '+')
  [ "$rule_w" = 263 ] || wfail "the mass dialog is not seen in $1 (navy rule ${rule_w:-missing})"
  client_x=$rule_x
  client_y=$((rule_y - 49))
}
find_dialog wayland-dialog
# The title bar lies above the client area; Qt's own has its buttons 37 and 60 pixels left of the
# right edge.
title_y=$((client_y - 15))
client_right=$((client_x + 263))
echo "mass dialog ${dialog_w}x${dialog_h}, its client area at $client_x,$client_y"
xdotool mousemove --window "$nested" $((client_x + 80)) "$title_y" click --repeat 2 --delay 80 1
sleep 1.5
alive
for from_right in 37 60; do
  xdotool mousemove --window "$nested" $((client_right - from_right)) "$title_y" click 1
  sleep 1.5
  alive
done
! grep -q 'Protocol error' "$LOG" || wfail "the compositor refused the program: $(grep -m 1 'Protocol error' "$LOG")"
! grep -q -E '\.set_(maximized|minimized|fullscreen)\(' "$LOG" \
  || wfail "the program asked for $(grep -o -m 1 -E 'set_(maximized|minimized|fullscreen)' "$LOG")"
! grep -q -E "xdg_toplevel@$dialog\.configure\([1-9]" "$LOG" \
  || wfail "the compositor sized the dialog: $(grep -m 1 -E "xdg_toplevel@$dialog\.configure\([1-9]" "$LOG")"
was_x=$client_x was_y=$client_y
find_dialog wayland-dialog-asked
[ "$client_x,$client_y" = "$was_x,$was_y" ] || wfail "the dialog went from $was_x,$was_y to $client_x,$client_y"

moves=$(count "xdg_toplevel@$dialog.move(")
xdotool mousemove --window "$nested" $((client_x + 100)) "$title_y" mousedown 1
wait_count "xdg_toplevel@$dialog.move(" $((moves + 1)) 5 \
  || { xdotool mouseup 1; wfail "a press on the title did not ask the compositor to move the dialog"; }
sleep 0.3 # the compositor takes the pointer
for step in 1 2 3 4; do
  xdotool mousemove --window "$nested" $((client_x + 100 + 15 * step)) $((title_y + 10 * step))
  sleep 0.1
done
xdotool mouseup 1
sleep 1
alive
find_dialog wayland-dialog-moved
[ "$client_x,$client_y" = "$((was_x + 60)),$((was_y + 40))" ] \
  || wfail "the dragged dialog is at $client_x,$client_y, not $((was_x + 60)),$((was_y + 40))"

# Its close box, found as a screen reader finds it, closes it as the frame's would: nothing added.
# The client area of 263x189 (the dialog's lines below its buttons included) ends a frame line
# above the window's bottom.
line=$(((dialog_w - 263) / 2))
read -r close_x close_y < <(/usr/bin/python3 "$A11Y" centre 'Закрыть') || wfail "the dialog has no close box"
xdotool mousemove --window "$nested" $((client_x - line + close_x - dialog_ax)) \
  $((client_y + 189 + line - dialog_h + close_y - dialog_ay)) click 1
destroyed() { count "xdg_toplevel@$dialog.destroy()"; }
for _ in $(seq 30); do [ "$(destroyed)" -ge 1 ] && break; sleep 0.1; done
[ "$(destroyed)" -ge 1 ] || wfail "the close box did not close the mass dialog"
sleep 0.5
alive
rows=$(/usr/bin/python3 "$A11Y" ration | wc -l)
[ "$rows" -eq "$ROWS" ] || wfail "closing the mass dialog changed the ration ($rows rows)"

# Still answering: a click on a product opens the dialog again, which takes the mass and adds the row.
click_named 'Кефир 1%'
wait_count "$MASS_TITLE" $((ROWS + 2)) 10 || wfail "the main window ignores clicks after the dialog was closed"
sleep 1
xdotool type --delay 30 77
xdotool key Return
sleep 1
rows=$(/usr/bin/python3 "$A11Y" ration | wc -l)
[ "$rows" -eq $((ROWS + 1)) ] || wfail "the program does not answer after the dialog was closed ($rows rows)"
alive
kill -0 "$WESTON_PID" 2>/dev/null || wfail "weston ended"
echo "PASS"
