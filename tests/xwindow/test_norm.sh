#!/usr/bin/env bash
# The daily norm through the real window: typed into "Норма дня", then calculated with
# "Рассчитать"; the totals panel read through the accessibility tree; the norm again after a
# restart; every new text of the panel readable on the default and on a dark scheme (luminance
# range inside its rectangle at least 0.4). A picture of the panel is kept as norm-panel.png.
source "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
A11Y_MORE="$HERE/a11y_more.py"
NORM="$HERE/a11y_norm.py"
RECTS="$HERE/a11y_rects.py"
MIN_RANGE=0.4

start_x
start_a11y
cp -r "$DATA/files" "$WORK/"
FAULTS=()

panel() { /usr/bin/python3 "$NORM" panel; }

# open_norm: opens the dialog through its menu item, as a screen reader presses it.
open_norm() {
  (timeout 20 /usr/bin/python3 "$A11Y_MORE" press-item 'Норма дня...' >/dev/null 2>&1 || true) &
  wait_window 'Норма дня' 10 >/dev/null || fail "the norm dialog did not open"
  sleep 0.5
}

range() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -grayscale Rec709Luma -format '%[fx:maxima-minima]' info:
}

# measure_texts SCHEME SHOT: the luminance range of each text the norm adds to the panel.
measure_texts() {
  local scheme=$1 shot=$2 name rect r
  while IFS= read -r name; do
    rect=$(/usr/bin/python3 "$RECTS" label "$name") || fail "$scheme: '$name' is not on the screen"
    # shellcheck disable=SC2086
    r=$(range "$shot" $rect)
    echo "$scheme: $name at $rect: range $r"
    awk -v r="$r" -v m="$MIN_RANGE" 'BEGIN { exit !(r >= m) }' || FAULTS+=("$scheme: $name reads at $r")
  done < <(panel | grep -v '^Энергия' | sed 's/ (.*)$//')
}

expect_panel() {
  local got
  got=$(panel)
  [ "$got" = "$1" ] || fail "the panel shows:
$got
instead of:
$1"
}

# --- the default scheme: a norm typed in, then calculated ---
mkdir -p "$WORK/light"
export XDG_CONFIG_HOME="$WORK/light"
start_main
add_product 'Творог 9%' 150
[ -z "$(panel)" ] || fail "a panel line without a norm: $(panel)"

open_norm
xdotool type --delay 40 '90'
xdotool key Tab
xdotool type --delay 40 '70,0'
xdotool key Tab
xdotool type --delay 40 '300'
xdotool key Tab
xdotool type --delay 40 '2200'
xdotool key Return
wait_gone 'Норма дня' || fail "OK did not close the norm dialog"
sleep 0.5
# 25,05 g, 13,5 g, 3 g and 239 kcal; 100,2 + 121,5 + 12 kcal from them.
expect_panel "из 90.0 · 28 % (Белков, норма)
из 70.0 · 19 % (Жиров, норма)
из 300.0 · 1 % (Углеводов, норма)
из 2200 · 11 % (кКалорий, норма)
Осталось: 1961 кКалорий
Энергия: белки 43 %, жиры 52 %, углеводы 5 %"
[ -f "$WORK/light/edoklad/edoklad.conf" ] || fail "the norm was not kept"

# Over the norm of fats: 9 g of 10 per 100 g of Творог; said to a screen reader.
open_norm
xdotool key Tab
xdotool type --delay 40 '10'
xdotool key Return
wait_gone 'Норма дня' || fail "OK did not close the norm dialog"
sleep 0.5
panel | grep -x 'из 10.0 · 135 % (Жиров, сверх нормы)' >/dev/null || fail "the fats over their norm: $(panel)"
screenshot norm-default
measure_texts default "$ARTEFACTS/norm-default.png"
# The panel with the room it takes: the lower part of the main window.
read -r wx wy ww wh < <(/usr/bin/python3 "$RECTS" window "$TITLE")
convert "$ARTEFACTS/norm-default.png" -crop "${ww}x190+${wx}+$((wy + wh - 190))" +repage "$ARTEFACTS/norm-panel.png"

# "Рассчитать" with the calculator's defaults: a man of 30 years, 170 cm, 70 kg, 1,2.
open_norm
/usr/bin/python3 "$A11Y_MORE" press 'Рассчитать' || fail "no Рассчитать in the norm dialog"
sleep 0.3
/usr/bin/python3 "$A11Y_MORE" press 'OK' || fail "no OK in the norm dialog"
wait_gone 'Норма дня' || fail "OK did not close the norm dialog"
sleep 0.5
calculated="из 72.8 · 34 % (Белков, норма)
из 64.7 · 21 % (Жиров, норма)
из 266.9 · 1 % (Углеводов, норма)
из 1941 · 12 % (кКалорий, норма)
Осталось: 1702 кКалорий
Энергия: белки 43 %, жиры 52 %, углеводы 5 %"
expect_panel "$calculated"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# --- the next start: the same norm ---
start_main
add_product 'Творог 9%' 150
expect_panel "$calculated"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# --- a dark scheme (Breeze Dark through the KDE platform theme), the same norm kept ---
mkdir -p "$WORK/dark/edoklad"
cp "$WORK/light/edoklad/edoklad.conf" "$WORK/dark/edoklad/"
cat >"$WORK/dark/kdeglobals" <<'KDE'
[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252
KDE
export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 XDG_CONFIG_HOME="$WORK/dark"
start_main
add_product 'Творог 9%' 150
add_product 'Творог 9%' 1200
panel | grep '^Сверх нормы: ' >/dev/null || fail "dark: the energy over its norm: $(panel)"
screenshot norm-dark
measure_texts dark "$ARTEFACTS/norm-dark.png"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

[ ${#FAULTS[@]} -eq 0 ] || fail "texts that cannot be read:$(printf '\n  %s' "${FAULTS[@]}")"
echo "PASS"
