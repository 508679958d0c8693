#!/usr/bin/env bash
# The installed program: cmake --install into a temporary prefix, then the launcher started the way
# the menu entry starts it, for a user with a fresh XDG_DATA_HOME. The user gets a catalogue of
# their own and builds, changes, saves and opens a ration with the keyboard alone; nothing installed
# is written to. A second start keeps the user's edited catalogue. A day named on the command line,
# relative to the user's folder, and one opened by its file type through the menu entry, open too.
source "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
SOURCE=$(cd "$HERE/../.." && pwd)
LISTS="$HERE/a11y_lists.py"
A11Y="$HERE/a11y.py"

# The build folder is the one holding the program under test.
BUILD=$(dirname "$EDOKLAD")
while [ "$BUILD" != / ] && [ ! -f "$BUILD/CMakeCache.txt" ]; do BUILD=$(dirname "$BUILD"); done
[ -f "$BUILD/CMakeCache.txt" ] || fail "no build folder above $EDOKLAD"

PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" || fail "cmake --install: $(cat "$WORK/install.log")"
APP_ID=ru.edoklad.edoklad
for f in bin/edoklad libexec/edoklad/edoklad share/applications/$APP_ID.desktop \
         share/metainfo/$APP_ID.metainfo.xml share/icons/hicolor/scalable/apps/$APP_ID.svg \
         share/icons/hicolor/48x48/apps/$APP_ID.png share/icons/hicolor/256x256/apps/$APP_ID.png \
         share/edoklad/files/db.txt; do
  [ -f "$PREFIX/$f" ] || fail "not installed: $f"
done
[ -x "$PREFIX/bin/edoklad" ] || fail "the launcher is not executable"
diff -r "$SOURCE/sample/files" "$PREFIX/share/edoklad/files" || fail "the installed catalogue differs from the sample"
desktop-file-validate "$PREFIX/share/applications/$APP_ID.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$APP_ID.metainfo.xml" >"$WORK/appstream.log" \
  || fail "appstreamcli validate: $(cat "$WORK/appstream.log")"
file_size=$(identify -format '%wx%h' "$PREFIX/share/icons/hicolor/48x48/apps/$APP_ID.png")
[ "$file_size" = 48x48 ] || fail "the 48 pixel icon is $file_size"
# The menu entry starts the launcher by its name, with the file the file manager names.
grep -qx 'Exec=edoklad %f' "$PREFIX/share/applications/$APP_ID.desktop" || fail "Exec line"

# The ration file type as a desktop (GNOME's gio here) sees it once the package's triggers have
# built the MIME and menu databases; they are built in a folder of our own, the installed tree
# stays as it is. Without our type the same files are plain text. (No blank in these folders'
# names: xdg-mime splits the list of folders at blanks.)
RATION_TYPE=application/x-edoklad-ration
SYSTEM="$WORK/xdg-system"
mkdir -p "$SYSTEM/mime/packages" "$SYSTEM/applications" "$WORK/no-data"
cp "$PREFIX/share/mime/packages/$APP_ID.xml" "$SYSTEM/mime/packages/"
cp "$PREFIX/share/applications/$APP_ID.desktop" "$SYSTEM/applications/"
update-mime-database "$SYSTEM/mime" >"$WORK/mime.log" 2>&1 || fail "update-mime-database: $(cat "$WORK/mime.log")"
update-desktop-database "$SYSTEM/applications" || fail "update-desktop-database"
# desktop ENV...: runs the command with only our databases and the system's.
desktop() { env HOME="$WORK" XDG_DATA_HOME="$WORK/no-data" XDG_DATA_DIRS="$SYSTEM:/usr/share" XDG_CURRENT_DESKTOP=GNOME "$@"; }
mkdir -p "$WORK/types"
printf 'Груша:200:0,4:0,3:10,3:47:' | iconv -f utf-8 -t cp1251 >"$WORK/types/мой день.edk"
cp "$WORK/types/мой день.edk" "$WORK/types/DAY.EDK"
for f in "$WORK/types/мой день.edk" "$WORK/types/DAY.EDK"; do
  type=$(desktop xdg-mime query filetype "$f")
  [ "$type" = $RATION_TYPE ] || fail "xdg-mime query filetype $f: $type"
  type=$(env HOME="$WORK" XDG_DATA_HOME="$WORK/no-data" XDG_DATA_DIRS=/usr/share XDG_CURRENT_DESKTOP=GNOME \
         xdg-mime query filetype "$f")
  [ "$type" = text/plain ] || fail "without our type, $f is $type"
done
handler=$(desktop xdg-mime query default $RATION_TYPE)
[ "$handler" = $APP_ID.desktop ] || fail "xdg-mime query default: $handler"
grep -q "<mediatype>$RATION_TYPE</mediatype>" "$PREFIX/share/metainfo/$APP_ID.metainfo.xml" \
  || fail "the AppStream metadata does not name the file type"

# Every installed file, with its time and bytes, to prove afterwards that none was written.
snapshot() { (cd "$PREFIX" && find . -printf '%p %T@ %s\n' | sort && find . -type f -exec sha256sum {} + | sort); }
snapshot >"$WORK/installed.before"

export HOME="$WORK/home" XDG_DATA_HOME="$WORK/xdg data"  # a blank in the path, on purpose
mkdir -p "$HOME"
OWN="$XDG_DATA_HOME/edoklad"

start_x
start_a11y

# As the menu would: the Exec line's command, found on the PATH, from some other folder.
EDOKLAD=edoklad
export PATH="$PREFIX/bin:$PATH"
start_edoklad /
main=$(wait_window "$TITLE") || fail "main window not found: $(cat "$WORK/edoklad.log")"
xdotool windowactivate --sync "$main"
sleep 1

diff -r "$SOURCE/sample/files" "$OWN/files" || fail "the user's catalogue is not a copy of the installed one"
[ "$(readlink -f /proc/$APP_PID/cwd)" = "$(readlink -f "$OWN")" ] || fail "the program does not run in $OWN"
icons=$(xprop -id "$main" _NET_WM_ICON)
[[ "$icons" == *"Icon (48 x 48)"* ]] || fail "the window has no application icon"

categories=$(/usr/bin/python3 "$LISTS" cells 'Категории продуктов')
[ "$(echo "$categories" | head -n 1)" = 'Молочные продукты' ] || fail "category list: $categories"
[ "$(echo "$categories" | grep -c .)" = 12 ] || fail "category list: $categories"

focused() { /usr/bin/python3 "$LISTS" focused; }
[ "$(focused)" = 'Категории продуктов' ] || fail "the category list is not focused at start: $(focused)"

# enter_mass MASS: the mass dialog is up; the mass is typed and confirmed with Enter.
enter_mass() {
  wait_window 'Ввод массы' 10 >/dev/null || fail "the mass dialog did not open"
  sleep 0.3
  xdotool type --delay 40 "$1"
  xdotool key Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Ввод массы$' >/dev/null 2>&1 || { sleep 0.3; return 0; }
    sleep 0.1
  done
  fail "the mass dialog did not close"
}
ration() { /usr/bin/python3 "$A11Y" ration; }
totals() { /usr/bin/python3 "$A11Y" totals | tr '\n' ' '; }
# wait_for SECONDS COMMAND...: succeeds as soon as COMMAND does.
wait_for() {
  local seconds=$1; shift
  for _ in $(seq $((seconds * 10))); do "$@" && return 0; sleep 0.1; done
  return 1
}
is_focused() { [ "$(focused 2>/dev/null)" = "$1" ]; }
# The file dialogs open with the keyboard in their name field.
name_field_focused() { [ "$(/usr/bin/python3 "$LISTS" field 2>/dev/null)" = 'File name:' ]; }
count_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
windows_are() { [ "$(count_windows "$1")" -eq "$2" ]; }
same_bytes() { [ "$(od -An -tx1 "$1" 2>/dev/null)" = "$(od -An -tx1 "$2")" ]; }
# edk ROWS...: a ration file's bytes as the program writes them.
edk() { printf '%s\r\n' "$@" | head -c -2 | iconv -f utf-8 -t cp1251; }
SAVE='Сохранить рацион...'
OPEN='Загрузить рацион...'
KEPT="$OWN/день.edk"

# type_ru TEXT: Cyrillic typed on a Russian layout, as its users type it. (xdotool's stand-in
# keys for letters missing from the layout race with the program reading the key map.)
type_ru() {
  setxkbmap ru; sleep 0.3
  xdotool type --delay 60 "$1"
  sleep 0.3; setxkbmap us; sleep 0.3
}

# Two products, each by typing the start of its category's and its own name.
type_ru 'фр'
xdotool key Tab
[ "$(focused)" = 'Продукты' ] || fail "Tab did not reach the product list: $(focused)"
type_ru 'гр'
xdotool key Return
enter_mass 200
xdotool key shift+Tab
sleep 1.2   # a pause: the next letters start a new name
type_ru 'мол'
xdotool key Tab
xdotool key KP_Enter
enter_mass 300
xdotool key Down Return
enter_mass 50
[ "$(ration)" = $'Груша = 200\nМолоко обезжиренное = 300\nМолоко 1,5% = 50' ] || fail "ration rows: $(ration)"

# Kept from the keyboard: Ctrl+Shift+S, a name typed straight away, Enter. The dialog adds ".edk"
# and the file lands in the working folder.
xdotool key --clearmodifiers ctrl+shift+s
wait_window "$SAVE" 10 >/dev/null || fail "Ctrl+Shift+S did not open the save dialog"
wait_for 10 name_field_focused || fail "the save dialog's name field has no focus"
type_ru 'день'
xdotool key Return
wait_for 10 windows_are "$SAVE" 0 || fail "Enter did not close the save dialog"
edk 'Груша:200:0,4:0,3:10,3:47:' 'Молоко обезжиренное:300:3,0:0,05:4,7:31:' 'Молоко 1,5%:50:2,8:1,5:4,7:44:' \
  >"$WORK/three.edk"
wait_for 10 same_bytes "$KEPT" "$WORK/three.edk" \
  || fail "saved: $(ls "$OWN"), $(od -c "$KEPT" 2>&1 | head -n 5)"
wait_for 10 is_focused 'Продукты' || fail "the focus did not return to the product list: $(focused)"

# The middle row removed through its context menu, from the Menu key.
xdotool key Tab
[ "$(focused)" = 'Рацион' ] || fail "Tab did not reach the ration: $(focused)"
xdotool key Down
sleep 0.3
xdotool key Menu
sleep 0.8
screenshot install-menu
xdotool key Return
sleep 0.5
[ "$(ration)" = $'Груша = 200\nМолоко 1,5% = 50' ] || fail "after removing with the Menu key: $(ration)"
screenshot install-ration

# Saved again under the same name: the dialog offers it, Enter asks before replacing the file.
# Enter answers "No" and the dialog stays open; Alt+Y answers "Yes".
totals_kept=$(totals)
[ "$totals_kept" = '2.2 1.4 23.0 116 ' ] || fail "totals: $totals_kept"
xdotool key --clearmodifiers ctrl+shift+s
wait_window "$SAVE" 10 >/dev/null || fail "Ctrl+Shift+S did not open the save dialog again"
wait_for 10 name_field_focused || fail "the save dialog's name field has no focus the second time"
xdotool key Return
wait_for 10 windows_are "$SAVE" 2 || fail "no question before replacing the file"
screenshot install-replace
xdotool key Return
wait_for 10 windows_are "$SAVE" 1 || fail "Enter did not answer the question"
same_bytes "$KEPT" "$WORK/three.edk" || fail "the file was replaced although the answer was No"
wait_for 10 name_field_focused || fail "the name field lost the focus after No"
xdotool key Return
wait_for 10 windows_are "$SAVE" 2 || fail "no question the second time"
xdotool key alt+y
wait_for 10 windows_are "$SAVE" 0 || fail "Yes did not close the save dialog"
edk 'Груша:200:0,4:0,3:10,3:47:' 'Молоко 1,5%:50:2,8:1,5:4,7:44:' >"$WORK/two.edk"
wait_for 10 same_bytes "$KEPT" "$WORK/two.edk" || fail "not replaced: $(od -c "$KEPT" | head -n 5)"
wait_for 10 is_focused 'Рацион' || { screenshot install-nofocus; fail "the focus did not return to the ration: $(focused)"; }

# Below the rows, Shift+F10 offers to clear the list; Escape keeps it, the Menu key and Enter clear it.
xdotool key End Down
sleep 0.3
xdotool key shift+F10
sleep 0.8
screenshot install-clear
xdotool key Escape
sleep 0.5
[ "$(ration)" = $'Груша = 200\nМолоко 1,5% = 50' ] || fail "Escape changed the ration: $(ration)"
xdotool key Menu
sleep 0.8
xdotool key Return
sleep 0.5
[ -z "$(ration)" ] || fail "the clear menu did not clear: $(ration)"

xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# A second start keeps the user's own catalogue as the user left it.
printf '%s\r\n' "$(echo 'Свой каталог' | iconv -f utf-8 -t cp1251)" >"$WORK/first"
tail -n +2 "$OWN/files/moloko.txt" >>"$WORK/first"
cp "$WORK/first" "$OWN/files/moloko.txt"
start_edoklad "$WORK"
main=$(wait_window "$TITLE") || fail "main window not found on the second start"
sleep 1
categories=$(/usr/bin/python3 "$LISTS" cells 'Категории продуктов')
[ "$(echo "$categories" | head -n 1)" = 'Свой каталог' ] || fail "the user's catalogue was replaced: $categories"

# The kept ration opened again from the keyboard: Ctrl+O, its name, Enter; the completer's list
# that the typed name opens does not take the Enter.
xdotool key --clearmodifiers ctrl+o
wait_window "$OPEN" 10 >/dev/null || fail "Ctrl+O did not open the open dialog"
wait_for 10 name_field_focused || fail "the open dialog's name field has no focus"
type_ru 'день'
screenshot install-open
xdotool key Return
wait_for 10 windows_are "$OPEN" 0 || fail "Enter did not close the open dialog"
has_rows() { [ "$(ration)" = $'Груша = 200\nМолоко 1,5% = 50' ]; }
wait_for 10 has_rows || fail "rows after Open: $(ration)"
[ "$(totals)" = "$totals_kept" ] || fail "totals after Open: $(totals), kept: $totals_kept"
wait_for 10 is_focused 'Категории продуктов' || fail "the focus did not return to the categories: $(focused)"
screenshot install-opened
xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# A day named on the command line relative to the folder the user is in: the launcher starts the
# program in the user's data folder, yet the file opens, and Ctrl+S writes back to it.
DAYS="$WORK/days"
mkdir -p "$DAYS"
cp "$KEPT" "$DAYS/мой день.edk"
start_edoklad "$DAYS" 'мой день.edk'
main=$(wait_window "$TITLE") || fail "main window not found with a file named: $(cat "$WORK/edoklad.log")"
xdotool windowactivate --sync "$main"
wait_for 10 has_rows || fail "rows of the file named on the command line: $(ration)"
[ "$(totals)" = "$totals_kept" ] || fail "totals of the file named on the command line: $(totals)"
[ "$(readlink -f /proc/$APP_PID/cwd)" = "$(readlink -f "$OWN")" ] || fail "the program does not run in $OWN"
screenshot install-command-line
xdotool key Tab Tab
wait_for 10 is_focused 'Рацион' || fail "Tab did not reach the ration: $(focused)"
xdotool key Menu
sleep 0.8
xdotool key Return
wait_for 10 eval '[ "$(ration)" = "Молоко 1,5% = 50" ]' || fail "after removing the first row: $(ration)"
xdotool key --clearmodifiers ctrl+s
edk 'Молоко 1,5%:50:2,8:1,5:4,7:44:' >"$WORK/one.edk"
wait_for 10 same_bytes "$DAYS/мой день.edk" "$WORK/one.edk" \
  || fail "Ctrl+S did not write to the file: $(od -c "$DAYS/мой день.edk" | head -n 5)"
same_bytes "$KEPT" "$WORK/two.edk" || fail "Ctrl+S wrote to another file"
xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# Two files: the program says it opens only one, and opens none.
start_edoklad "$DAYS" 'мой день.edk' 'другой.edk'
main=$(wait_window "$TITLE") || fail "main window not found with two files named"
wait_window 'Warning' 10 >/dev/null || fail "no warning for two files"
/usr/bin/python3 "$A11Y" centre 'Указано больше одного файла рациона, файлы не открыты' >/dev/null \
  || fail "the warning for two files says something else"
screenshot install-two-files
xdotool key Return
wait_gone 'Warning' || fail "the warning did not close"
[ -z "$(ration)" ] || fail "a file was opened although two were named: $(ration)"
xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program"

# As the file manager opens it: by its type, through the menu entry.
cp "$WORK/three.edk" "$DAYS/день.edk"
env XDG_DATA_DIRS="$SYSTEM:/usr/share" XDG_CURRENT_DESKTOP=GNOME gio open "$DAYS/день.edk" >"$WORK/gio.log" 2>&1 || fail "gio open: $(cat "$WORK/gio.log")"
main=$(wait_window "$TITLE") || fail "gio open started no program: $(cat "$WORK/gio.log")"
APP_PID=$(xdotool getwindowpid "$main")
PIDS+=($APP_PID)
has_three() { [ "$(ration)" = $'Груша = 200\nМолоко обезжиренное = 300\nМолоко 1,5% = 50' ]; }
wait_for 10 has_three || fail "rows of the file opened by its type: $(ration)"
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers alt+x
wait_exit "$APP_PID" || fail "Alt+X did not end the program opened by its type"

snapshot >"$WORK/installed.after"
diff "$WORK/installed.before" "$WORK/installed.after" || fail "installed files changed"
echo "PASS"
