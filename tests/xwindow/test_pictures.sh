#!/usr/bin/env bash
# The pictures the program shows (the menu "Рацион", the ration row's pop-up menu, the window's
# icon) look like their SVGs drawn afresh at the size shown, at the screen scales 1, 1.5 and 2.
# Pictures whose bytes are gone show as noise, in optimised builds only.
source "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
ICONS=$(cd "$HERE/../../src/app/look/icons" && pwd)
A11Y="$HERE/a11y.py"
RECTS="$HERE/a11y_rects.py"
PICTURES="$HERE/pictures.py"
RENDER="$(dirname "$ARTEFACTS")/edoklad_render_icon" # the build tool that draws the pictures
[ -x "$RENDER" ] || fail "no picture drawing tool at $RENDER"
# Noise differs by 50 or more; the same drawing, scaled, by a few at its edges.
LIMIT=12

export SCREEN_SIZE=2560x1600 # the main window whole at scale 2
start_x
start_a11y
cp -r "$DATA/files" "$WORK/"
# A ration opened from a file: every item of "Рацион" is available, so none is drawn greyed.
printf 'Творог 9%%:150:16,7:9:2:159:\n' | iconv -f UTF-8 -t CP1251 >"$WORK/day.edk"

# reference NAME PIXELS: the file of the SVG drawn at PIXELS.
reference() {
  local file="$WORK/ref/${2}x${2}/apps/$1.png"
  [ -f "$file" ] || QT_QPA_PLATFORM=offscreen "$RENDER" "$ICONS/$1.svg" "$WORK/ref" "$1" "$2" >&2 \
    || fail "cannot draw $1 at $2 pixels"
  echo "$file"
}
# device LENGTH: a length the program gives in its own units, in the screen's pixels.
device() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", v * s + 0.5 }'; }

# check_picture SHOT X Y W H NAME WHAT: the picture NAME lies in that area of the screenshot
# (given in the program's units), as drawn.
check_picture() {
  local shot=$1 name=$6 what=$7 px found
  px=$(device 16)
  found=$(/usr/bin/python3 "$PICTURES" shot "$shot" "$(device "$2")" "$(device "$3")" "$(device "$4")" \
    "$(device "$5")" "$(reference "$name" "$px")") || fail "$what: the screenshot cannot be read"
  read -r fx fy diff <<<"$found"
  awk -v d="$diff" -v l="$LIMIT" 'BEGIN { exit !(d < l) }' \
    || fail "scale $scale, $what: the picture shown is not $name (differs by $diff of 255 at $fx,$fy; see $shot)"
}

for scale in 1 1.5 2; do
  export QT_SCALE_FACTOR=$scale
  start_edoklad "$WORK" day.edk
  main=$(wait_window "$TITLE") || fail "scale $scale: main window not found"
  xdotool windowactivate --sync "$main"
  sleep 1

  # The window's icon, at every size the window manager is given.
  sizes=$(xprop -id "$main" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | tr -d ',' | awk '{
    for (i = 3; i <= NF; i += 2 + $i * $(i + 1)) print $i }')
  [ -n "$sizes" ] || fail "scale $scale: the window has no icon"
  for size in $sizes; do reference edoklad "$size" >/dev/null; done
  while read -r size diff; do
    awk -v d="$diff" -v l="$LIMIT" 'BEGIN { exit !(d < l) }' \
      || fail "scale $scale: the window icon at $size pixels is not the apple (differs by $diff of 255)"
  done < <(/usr/bin/python3 "$PICTURES" icon "$main" "$WORK/ref" edoklad)

  # The menu "Рацион", opened with the pointer; each item's picture lies at its left.
  read -r x y w h < <(/usr/bin/python3 "$RECTS" menu 'Рацион') || fail "scale $scale: no menu Рацион"
  xdotool mousemove --sync "$(device $((x + w / 2)))" "$(device $((y + h / 2)))" click 1
  sleep 1
  shot="$ARTEFACTS/pictures-menu-$scale.png"
  import -window root "$shot"
  items=($'Сохранить\tCtrl+S' $'Сохранить как...\tCtrl+Shift+S' $'Открыть\tCtrl+O' $'Печать\tCtrl+P' \
    'Сохранить в PDF...' 'Норма дня...' $'Выход\tAlt+X')
  pictures=(save saveas open print saveas norm exit)
  mapfile -t rects < <(/usr/bin/python3 "$RECTS" menu "${items[@]}")
  [ "${#rects[@]}" -eq "${#items[@]}" ] || fail "scale $scale: the items of Рацион are not all shown"
  for i in "${!items[@]}"; do
    read -r x y w h <<<"${rects[$i]}"
    check_picture "$shot" "$x" "$y" 40 "$h" "${pictures[$i]}" "the item ${items[$i]%%$'\t'*}"
  done
  xdotool key Escape
  sleep 0.3

  # The ration row's pop-up menu opens at the pointer; its second item, Удалить, has its picture
  # at its left (the first, the mass, has none).
  read -r x y < <(/usr/bin/python3 "$A11Y" centre 'Творог 9% = 150') || fail "scale $scale: the ration row is not shown"
  xdotool mousemove --sync "$(device "$x")" "$(device "$y")" click 3
  sleep 1
  shot="$ARTEFACTS/pictures-popup-$scale.png"
  import -window root "$shot"
  check_picture "$shot" "$x" "$y" 40 52 delete "the pop-up item Удалить"
  xdotool key Escape
  sleep 0.3

  xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
  wait_exit "$APP_PID" || fail "scale $scale: Alt+X did not end the program"
done
echo "PASS"
