#!/usr/bin/env bash
# Builds the Debian package with CPack from a configured build tree and checks what it holds:
# exactly the program, its launcher, menu entry, icons, metadata and sample catalogue, with the
# right modes, the libraries and packages it needs declared, and metadata that validates.
# Usage: test_deb.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
BUILD=$1
SOURCE=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$WORK" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.log" 2>&1) \
  || fail "cpack: $(tail -n 20 "$WORK/cpack.log")"
shopt -s nullglob
debs=("$WORK"/out/edoklad_*_amd64.deb "$WORK"/out/edoklad_*_arm64.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package: $(ls "$WORK/out")"
DEB=${debs[0]}

APP_ID=ru.edoklad.edoklad
# Regular files: mode and path.
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ {print $1, $2, $6}' | sort -k3 >"$WORK/files"
{
  echo "-rwxr-xr-x root/root ./usr/bin/edoklad"
  echo "-rwxr-xr-x root/root ./usr/libexec/edoklad/edoklad"
  echo "-rw-r--r-- root/root ./usr/share/applications/$APP_ID.desktop"
  for f in $(cd "$SOURCE/sample/files" && ls); do echo "-rw-r--r-- root/root ./usr/share/edoklad/files/$f"; done
  for s in 16 24 32 48 64 128 256; do echo "-rw-r--r-- root/root ./usr/share/icons/hicolor/${s}x${s}/apps/$APP_ID.png"; done
  echo "-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/$APP_ID.svg"
  echo "-rw-r--r-- root/root ./usr/share/metainfo/$APP_ID.metainfo.xml"
} | sort -k3 >"$WORK/expected"
diff "$WORK/expected" "$WORK/files" || fail "the package's files differ from the expected ones (< expected, > packaged)"

dpkg-deb -I "$DEB" >"$WORK/info"
field() { sed -n "s/^ $1: //p" "$WORK/info"; }
[ "$(field Package)" = edoklad ] || fail "Package: $(field Package)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
# The Qt libraries the program links, found by dpkg-shlibdeps, and the packages named by hand.
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 \
              fonts-liberation fonts-dejavu-core; do
  echo ", $depends," | grep -Eq "[ ,]$needed( \([^)]*\))?," || fail "Depends lacks $needed: $depends"
done
echo "$(field Recommends)" | grep -q qt6-translations-l10n || fail "Recommends: $(field Recommends)"
# Every dependency can be satisfied from Debian's own archive: each name is a known package.
for name in $(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*//; s/ //g' | grep .); do
  apt-cache show "$name" >/dev/null 2>&1 || fail "no Debian package named $name"
done

# What a desktop reads validates as it will be installed, and the launcher is a shell script.
dpkg-deb -x "$DEB" "$WORK/root"
desktop-file-validate "$WORK/root/usr/share/applications/$APP_ID.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$WORK/root/usr/share/metainfo/$APP_ID.metainfo.xml" >"$WORK/as.log" \
  || fail "appstreamcli: $(cat "$WORK/as.log")"
head -n 1 "$WORK/root/usr/bin/edoklad" | grep -qx '#!/bin/sh' || fail "the launcher is not a shell script"
sh -n "$WORK/root/usr/bin/edoklad" || fail "the launcher does not parse"
file_type=$(od -An -c -N4 "$WORK/root/usr/libexec/edoklad/edoklad" | tr -d ' ')
[ "$file_type" = '177ELF' ] || fail "the program is not an executable: $file_type"
echo "PASS"
