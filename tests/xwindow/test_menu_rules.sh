#!/usr/bin/env bash
# The menu's rules hold whatever reaches its items. Read through the accessibility tree without
# opening the menu, the items' states follow the ration; a screen reader's press on an
# unavailable item, or on any item while the mass dialog is open, opens nothing.
source "$(dirname "$0")/lib.sh"
DATA=$(cd "$(dirname "$0")/../data/xwindow" && pwd)
A11Y="$(dirname "$0")/a11y.py"
A11Y_MORE="$(dirname "$0")/a11y_more.py"
start_x

start_a11y

cp -r "$DATA/files" "$WORK/"
start_main

items() { /usr/bin/python3 "$A11Y_MORE" items | tr '\n' ' '; }
windows() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | sort | tr '\n' ' '; }
# A press that wrongly opens a modal dialog would keep the accessibility call waiting: bounded.
press_item() { timeout 10 /usr/bin/python3 "$A11Y_MORE" press-item "$1" || true; }

# The catalogue's items: without a current product there is nothing to change or remove.
NO_PRODUCT="Найти продукт...:on Новый продукт...:on Изменить продукт...:off Удалить продукт:off Новое блюдо...:on Изменить блюдо...:off "
A_PRODUCT="Найти продукт...:on Новый продукт...:on Изменить продукт...:on Удалить продукт:on Новое блюдо...:on Изменить блюдо...:off "

main_only=$(windows)
for item in 'Печать' 'Сохранить в PDF...' 'Сохранить в CSV...' 'Сохранить как...' 'Сохранить'; do
  press_item "$item"
  sleep 1
  [ "$(windows)" = "$main_only" ] || { screenshot pressed-unavailable; fail "a press on $item opened a window"; }
done
[ "$(items)" = "Сохранить:off Сохранить как...:off Открыть:on Печать:off Сохранить в PDF...:off Сохранить в CSV...:off Отчёт за несколько дней...:on Норма дня...:on Выход:on Отменить:off Повторить:off $NO_PRODUCT" ] \
  || fail "items of the empty ration: $(items)"

add_product 'Творог 9%' 150
WITH_ROW="Сохранить:off Сохранить как...:on Открыть:on Печать:on Сохранить в PDF...:on Сохранить в CSV...:on Отчёт за несколько дней...:on Норма дня...:on Выход:on"
[ "$(items)" = "$WITH_ROW Отменить: добавление «Творог 9%»:on Повторить:off $A_PRODUCT" ] \
  || fail "items with a row: $(items)"

# Taken back and done again, the ration's items follow as after any change.
xdotool key --clearmodifiers ctrl+z
sleep 0.5
[ "$(items)" = "Сохранить:off Сохранить как...:off Открыть:on Печать:off Сохранить в PDF...:off Сохранить в CSV...:off Отчёт за несколько дней...:on Норма дня...:on Выход:on Отменить:off Повторить: добавление «Творог 9%»:on $A_PRODUCT" ] \
  || fail "items after undo: $(items)"
for item in 'Печать' 'Сохранить в PDF...' 'Сохранить как...' 'Отменить'; do
  press_item "$item"
  sleep 1
  [ "$(windows)" = "$main_only" ] || { screenshot pressed-after-undo; fail "a press on $item after undo opened a window"; }
done
xdotool key --clearmodifiers ctrl+y
sleep 0.5
[ "$(items)" = "$WITH_ROW Отменить: добавление «Творог 9%»:on Повторить:off $A_PRODUCT" ] \
  || fail "items after redo: $(items)"

# The mass dialog is modal: a press on "Открыть" must not open the open dialog over it.
read -r x y < <(/usr/bin/python3 "$A11Y" centre 'Молоко 3,2%') || fail "product not found"
xdotool mousemove --sync "$x" "$y" click 1
wait_window 'Ввод массы' 10 >/dev/null || fail "the mass dialog did not open"
with_dialog=$(windows)
for item in 'Открыть' 'Печать' 'Сохранить как...' 'Выход'; do
  press_item "$item"
  sleep 1
  [ "$(windows)" = "$with_dialog" ] || { screenshot pressed-over-dialog; fail "a press on $item acted over the mass dialog"; }
done
kill -0 "$APP_PID" || fail "the program ended"
xdotool key Escape
wait_gone 'Ввод массы' || fail "the mass dialog did not close"

# Once it is closed, the same press opens the dialog (the call returns when the dialog closes).
press_item 'Открыть' &
wait_window 'Загрузить рацион...' 10 >/dev/null || fail "a press on Открыть opened nothing"
xdotool key Escape
wait_gone 'Загрузить рацион...' || fail "the open dialog did not close"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"
echo "PASS"
