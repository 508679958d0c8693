#!/usr/bin/env bash
# The report over several days through the real window: three day files chosen at once in Qt's
# own dialog by typing their names in quotes (one of them refused), the table and the chart read
# through the accessibility tree, the CSV and the PDF saved through their dialogs and read back
# (Python's csv module, pdftotext), and a double click on a day's row that opens it in the main
# window. Pictures of the window: report-window.png, and a week against a norm as report-week.png
# (report-week-dark.png on a dark scheme).
source "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=$(cd "$HERE/../data/xwindow" && pwd)
A11Y="$HERE/a11y.py"
A11Y_MORE="$HERE/a11y_more.py"
REPORT="$HERE/a11y_report.py"
RECTS="$HERE/a11y_rects.py"
WINDOW='Отчёт за несколько дней'

start_x
start_a11y
cp -r "$DATA/files" "$WORK/"
mkdir "$WORK/days" "$WORK/out" "$WORK/plain"
# No norm: the user's own settings stay out of the test.
export XDG_CONFIG_HOME="$WORK/plain"

# day FILE LINE: a ration file of one line, in Windows-1251 with CR LF as the program writes it.
day() { printf '%s\r\n' "$2" | iconv -f UTF-8 -t WINDOWS-1251 >"$WORK/days/$1"; }
day 'day 2.edk' 'Творог 9%:300:16,7:9:2:159:'
day 'day 10.edk' 'Творог 9%:100:16,7:9:2:159:'
day 'bad.edk' 'Творог 9%:100:x:9:2:159:'

# press_button NAME, press_item NAME: press a button or menu item whose command shows a modal dialog; the
# press is answered only once the dialog is gone.
press_button() { (timeout 30 /usr/bin/python3 "$A11Y_MORE" press "$1" >/dev/null 2>&1 || true) & }
press_item() { (timeout 30 /usr/bin/python3 "$A11Y_MORE" press-item "$1" >/dev/null 2>&1 || true) & }

# in_dialog TITLE TEXT: types TEXT into the open file dialog's name field and presses Enter.
in_dialog() {
  wait_window "$1" 10 >/dev/null || fail "dialog $1 did not open"
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$2"
  sleep 0.2
  xdotool key Return
}

choose_days() {
  press_item 'Отчёт за несколько дней...'
  # The folder first, then the three names at once as the dialog's name field takes them.
  in_dialog 'Выбрать рационы...' "$WORK/days"
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 '"day 10.edk" "bad.edk" "day 2.edk"'
  sleep 0.2
  xdotool key Return
  wait_gone 'Выбрать рационы...' || fail "the dialog did not take the three names"
  report=$(wait_window "$WINDOW" 10) || fail "the report window did not open"
  sleep 1
}

# shoot NAME: the report window alone as a picture.
shoot() {
  local x y w h
  read -r x y w h < <(/usr/bin/python3 "$RECTS" window "$WINDOW") || fail "no report window in the tree"
  screenshot "$1-screen"
  convert "$ARTEFACTS/$1-screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$ARTEFACTS/$1.png"
}

start_main
choose_days

expected_table="День | Белки, г | Жиры, г | Углеводы, г | кКалорий
bad | 'x' is not a valid floating point value |  |  | 
day 2 | 50.1 | 27.0 | 6.0 | 477
day 10 | 16.7 | 9.0 | 2.0 | 159
Среднее | 33.4 | 18.0 | 4.0 | 318
Всего | 66.8 | 36.0 | 8.0 | 636"
got=$(/usr/bin/python3 "$REPORT" table) || fail "the table cannot be read"
[ "$got" = "$expected_table" ] || fail "the table reads:
$got
instead of:
$expected_table"
chart=$(/usr/bin/python3 "$REPORT" chart)
[ "$chart" = "day 2: 477 кКалорий, day 10: 159 кКалорий" ] || fail "the chart says: $chart"
shoot report-window

# The CSV: a spreadsheet's table, read as one.
press_button 'Сохранить в CSV...'
in_dialog 'Сохранить в CSV...' "$WORK/out/report"
wait_gone 'Сохранить в CSV...' || fail "the CSV dialog did not close"
sleep 0.3
/usr/bin/python3 - "$WORK/out/report.csv" <<'PY' || fail "the CSV is not the report's"
import csv, sys
raw = open(sys.argv[1], "rb").read()
assert raw.startswith(b"\xef\xbb\xbf"), "no byte order mark"
assert b"\r\n" in raw and b"\n" not in raw.replace(b"\r\n", b""), "line ends other than CR LF"
rows = list(csv.reader(raw.decode("utf-8-sig").splitlines(), delimiter=";"))
blank = rows.index([])
products, days = rows[:blank], rows[blank + 1:]
assert products[0] == ["День", "Продукт", "Масса, г", "Белки, г", "Жиры, г", "Углеводы, г", "кКалорий"], products[0]
number = lambda text: float(text.replace(",", "."))
totals = {row[0]: row for row in days[1:]}
for name, kcal in (("day 2", 477), ("day 10", 159), ("Среднее", 318), ("Всего", 636)):
    assert number(totals[name][4]) == kcal, totals[name]
for name in ("day 2", "day 10"):
    mine = [row for row in products[1:] if row[0] == name]
    assert len(mine) == 1 and mine[0][1] == "Творог 9%", mine
    # the products add up to the day's total to its last shown digit
    assert abs(sum(number(row[6]) for row in mine) - number(totals[name][4])) < 0.5, (mine, totals[name])
assert "bad" in totals and "not a valid" in ";".join(totals["bad"]), totals.get("bad")
print("csv ok:", len(products) - 1, "product rows,", len(days) - 1, "total rows")
PY
cp "$WORK/out/report.csv" "$ARTEFACTS/report.csv"

# Where LibreOffice is at hand: Calc takes the file in columns with its import as a Russian user
# gets it (";", '"', UTF-8, Russian locale), and keeps the figures as numbers through .xlsx and back.
if command -v soffice >/dev/null 2>&1; then
  LO="$WORK/lo"
  mkdir -p "$LO/back"
  office() { HOME="$LO" timeout 180 soffice --headless --norestore "-env:UserInstallation=file://$LO/profile" "$@" >/dev/null 2>&1; }
  office --infilter='CSV:59,34,76,1,,1049' --convert-to xlsx --outdir "$LO" "$WORK/out/report.csv" \
    && office --convert-to fods --outdir "$LO/back" "$LO/report.xlsx" || fail "LibreOffice did not convert the CSV"
  /usr/bin/python3 - "$LO/back/report.fods" <<'PY' || fail "Calc does not read the CSV's figures as numbers"
import sys, xml.etree.ElementTree as ET
T = "{urn:oasis:names:tc:opendocument:xmlns:table:1.0}"
O = "{urn:oasis:names:tc:opendocument:xmlns:office:1.0}"
rows = []
for row in ET.parse(sys.argv[1]).iter(T + "table-row"):
    cells = []
    for cell in row:
        text = "".join(cell.itertext()).strip()
        kind = cell.get(O + "value-type")
        cells += [(kind, cell.get(O + "value"), text)] * int(cell.get(T + "number-columns-repeated", "1"))
    while cells and cells[-1][0] is None and not cells[-1][2]:
        cells.pop()
    rows.append(cells)
header = [text for _, _, text in rows[0]]
assert header == ["День", "Продукт", "Масса, г", "Белки, г", "Жиры, г", "Углеводы, г", "кКалорий"], header
product = next(r for r in rows[1:] if r and r[0][2] == "day 2")
assert [kind for kind, _, _ in product[2:7]] == ["float"] * 5, product
total = next(r for r in rows if r and r[0][2] == "Всего")
assert total[4][0] == "float" and float(total[4][1]) == 636, total
print("calc ok: figures are numbers,", len(rows), "rows")
PY
fi

# The PDF: the rows and the date, read back.
press_button 'Сохранить в PDF...'
in_dialog 'Сохранить в PDF...' "$WORK/out/report"
wait_gone 'Сохранить в PDF...' || fail "the PDF dialog did not close"
sleep 0.3
text=$(pdftotext -layout "$WORK/out/report.pdf" -) || fail "no PDF written"
cp "$WORK/out/report.pdf" "$ARTEFACTS/report.pdf"
for line in 'Отчёт за несколько дней' 'day 2 +50.1 +27.0 +6.0 +477' 'day 10 +16.7 +9.0 +2.0 +159' \
  'Среднее +33.4 +18.0 +4.0 +318' 'Всего +66.8 +36.0 +8.0 +636' 'Дата отчёта: '; do
  grep -Eq "$line" <<<"$text" || fail "the PDF lacks '$line':
$text"
done

# A double click on a day's row opens it in the main window, as "Открыть" would.
read -r x y < <(/usr/bin/python3 "$REPORT" cell 'day 10') || fail "no row day 10"
xdotool mousemove --sync "$x" "$y" click --repeat 2 --delay 80 1
sleep 1
rows=$(/usr/bin/python3 "$A11Y" ration)
[ "$rows" = 'Творог 9% = 100' ] || fail "the main window shows after the double click: $rows"
totals=$(/usr/bin/python3 "$A11Y" totals | tr '\n' ' ')
[ "$totals" = '16.7 9.0 2.0 159 ' ] || fail "the totals after the double click: $totals"

/usr/bin/python3 "$A11Y_MORE" press 'Закрыть' || fail "no Закрыть in the report window"
wait_gone "$WINDOW" || fail "Закрыть did not close the report window"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# --- a week against a norm: the picture for the user's guide ---
mkdir -p "$WORK/week/edoklad" "$WORK/days/week"
printf '[Norm]\nBelki=90\nGiri=70\nUglev=300\nKal=2200\n' >"$WORK/week/edoklad/edoklad.conf"
grams=(120 450 300 200 380 260 500)
butter=(15 35 20 10 40 25 30)
for i in 1 2 3 4 5 6 7; do
  printf '%s\r\n' 'Овсянка:80:12:6:60:350:' 'Курица:200:23:2:0:110:' 'Рис:150:7:1:78:340:' 'Хлеб:100:8:1:48:240:' \
    "Творог 9%:${grams[$((i - 1))]}:16,7:9:2:159:" "Масло:${butter[$((i - 1))]}:0,5:82:0,8:748:" |
    iconv -f UTF-8 -t WINDOWS-1251 >"$WORK/days/week/день $i.edk"
done
export XDG_CONFIG_HOME="$WORK/week"
choose_week() {
  press_item 'Отчёт за несколько дней...'
  in_dialog 'Выбрать рационы...' "$WORK/days/week"
  sleep 0.5
  xdotool key ctrl+a
  type_text '"день 1.edk" "день 2.edk" "день 3.edk" "день 4.edk" "день 5.edk" "день 6.edk" "день 7.edk"' 20
  sleep 0.2
  xdotool key Return
  wait_gone 'Выбрать рационы...' || fail "the dialog did not take the week's names"
  wait_window "$WINDOW" 10 >/dev/null || fail "the report window did not open for the week"
  sleep 1
}
start_main
choose_week
week=$(/usr/bin/python3 "$REPORT" table) || fail "the week's table cannot be read"
[[ "$(head -n 1 <<<"$week")" == *'| От нормы' ]] || fail "no share of the norm: $week"
[ "$(wc -l <<<"$week")" -eq 10 ] || fail "the week's table: $week"
chart=$(/usr/bin/python3 "$REPORT" chart)
[[ "$chart" == *', норма: 2200 кКалорий' ]] || fail "the chart says no norm: $chart"
shoot report-week
xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# --- the week on a dark scheme (Breeze Dark through the KDE platform theme): a picture to look at ---
mkdir -p "$WORK/dark"
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
cp -r "$WORK/week/edoklad" "$WORK/dark/"
export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 XDG_CONFIG_HOME="$WORK/dark"
start_main
choose_week
shoot report-week-dark
xdotool windowactivate --sync "$main" key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

echo "PASS"
