#!/usr/bin/env bash
# Every text the program puts on a ground of its own stays readable under a dark colour scheme
# (KDE's Breeze Dark through Qt's KDE platform theme) as on the default one: inside each text's
# rectangle on the screen the luminance spans at least 0.4 of the scale. The totals captions and
# values, the menu bar's title, the mass dialog's product name, the print dialog's status text
# and the ration's pop-up menu are measured; a screenshot of each scheme is kept.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/cups.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
A11Y="$HERE/a11y.py"
RECTS="$HERE/a11y_rects.py"
MIN_RANGE=0.4

printing=yes
[ "$(id -u)" -eq 0 ] || { echo "the private cupsd needs root: the print dialog is not measured"; printing=no; }
[ "$printing" = yes ] && start_cups "$WORK/cups"
start_x
start_a11y
cp -r "$DATA/files" "$WORK/"

# Breeze Dark's colours in the groups the KDE platform theme reads.
mkdir -p "$WORK/dark"
cat >"$WORK/dark/kdeglobals" <<'KDE'
[Colors:Window]
BackgroundNormal=49,54,59
BackgroundAlternate=35,38,41
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199

[Colors:View]
BackgroundNormal=35,38,41
BackgroundAlternate=49,54,59
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199
ForegroundLink=41,128,185
ForegroundVisited=127,140,141

[Colors:Button]
BackgroundNormal=49,54,59
BackgroundAlternate=77,77,77
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199

[Colors:Selection]
BackgroundNormal=61,174,233
BackgroundAlternate=29,153,243
ForegroundNormal=252,252,252
ForegroundInactive=239,240,241
KDE

FAULTS=()

# range SHOT X Y W H: the luminance range (0..1) inside the rectangle.
range() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -grayscale Rec709Luma -format '%[fx:maxima-minima]' info:
}

# measure SCHEME WHAT SHOT X Y W H: records a fault when the text's luminance range is too small.
measure() {
  local scheme=$1 what=$2 shot=$3 r
  shift 3
  r=$(range "$shot" "$@")
  echo "$scheme: $what at $*: range $r"
  awk -v r="$r" -v m="$MIN_RANGE" 'BEGIN { exit !(r >= m) }' || FAULTS+=("$scheme: $what reads at $r (< $MIN_RANGE)")
}

# measure_named SCHEME SHOT ROLE NAME...: measures each named object's rectangle.
measure_named() {
  local scheme=$1 shot=$2 role=$3 rect
  shift 3
  for name in "$@"; do
    rect=$(/usr/bin/python3 "$RECTS" "$role" "$name") || fail "$scheme: no '$name' on the screen"
    # shellcheck disable=SC2086
    measure "$scheme" "$name" "$shot" $rect
  done
}

run_scheme() {
  local scheme=$1 x y dialog rect
  start_main
  add_product 'Творог 9%' 150

  screenshot "colours-$scheme"
  local values
  mapfile -t values < <(/usr/bin/python3 "$A11Y" totals)
  [ "${#values[@]}" -eq 4 ] || fail "$scheme: the totals are not read: ${values[*]}"
  measure_named "$scheme" "$ARTEFACTS/colours-$scheme.png" static 'Белков:' 'Жиров:' 'Углеводов:' 'кКалорий:' \
    "${values[@]}"
  measure_named "$scheme" "$ARTEFACTS/colours-$scheme.png" menu 'Рацион'

  # The ration's pop-up menu, opened on the row: its item's caption starts 27 pixels in.
  read -r x y < <(/usr/bin/python3 "$A11Y" centre 'Творог 9% = 150') || fail "$scheme: the ration row is not shown"
  xdotool mousemove --sync "$x" "$y" click 3
  sleep 1
  screenshot "colours-$scheme-popup"
  measure "$scheme" "pop-up menu item" "$ARTEFACTS/colours-$scheme-popup.png" $((x + 28)) $((y + 4)) 120 14
  xdotool key Escape
  sleep 0.3

  # The mass dialog's product name on its white strip.
  read -r x y < <(/usr/bin/python3 "$A11Y" centre 'Кефир 1%') || fail "$scheme: product Кефир 1% not found"
  xdotool mousemove --sync "$x" "$y" click 1
  dialog=$(wait_window 'Ввод массы' 10) || fail "$scheme: the mass dialog did not open"
  sleep 0.5
  screenshot "colours-$scheme-mass"
  measure_named "$scheme" "$ARTEFACTS/colours-$scheme-mass.png" label 'Кефир 1%'
  xdotool key Escape
  wait_gone 'Ввод массы' || fail "$scheme: Esc did not close the mass dialog"

  if [ "$printing" = yes ]; then
    xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
    dialog=$(wait_window 'Печать рациона...' 20) || fail "$scheme: the print dialog did not open"
    for _ in $(seq 100); do /usr/bin/python3 "$RECTS" label 'Печать завершена...' >/dev/null 2>&1 && break; sleep 0.2; done
    sleep 0.3
    screenshot "colours-$scheme-print"
    # The label fills the dialog, its text in the top line, above the button.
    rect=($(/usr/bin/python3 "$RECTS" label 'Печать завершена...')) || fail "$scheme: no status text in the print dialog"
    measure "$scheme" 'Печать завершена...' "$ARTEFACTS/colours-$scheme-print.png" "${rect[0]}" "${rect[1]}" "${rect[2]}" 16
    /usr/bin/python3 "$HERE/a11y_more.py" press 'Закрыть' || fail "$scheme: no Закрыть in the print dialog"
    wait_gone 'Печать рациона...' || fail "$scheme: the print dialog did not close"
  fi

  xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
  wait_exit "$APP_PID" || fail "$scheme: Alt+X did not end the program"
}

mkdir -p "$WORK/light"
unset XDG_CURRENT_DESKTOP KDE_SESSION_VERSION QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
export XDG_CONFIG_HOME="$WORK/light"
run_scheme default
export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 XDG_CONFIG_HOME="$WORK/dark"
run_scheme dark

[ ${#FAULTS[@]} -eq 0 ] || fail "texts that cannot be read:$(printf '\n  %s' "${FAULTS[@]}")"
echo "PASS"
