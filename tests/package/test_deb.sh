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
  echo "-rw-r--r-- root/root ./usr/share/mime/packages/$APP_ID.xml"
} | sort -k3 >"$WORK/expected"
diff "$WORK/expected" "$WORK/files" || fail "the package's files differ from the expected ones (< expected, > packaged)"

dpkg-deb -I "$DEB" >"$WORK/info"
field() { sed -n "s/^ $1: //p" "$WORK/info"; }
[ "$(field Package)" = edoklad ] || fail "Package: $(field Package)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
# What a desktop reads validates as it will be installed, and the launcher is a shell script.
dpkg-deb -x "$DEB" "$WORK/root"
desktop-file-validate "$WORK/root/usr/share/applications/$APP_ID.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$WORK/root/usr/share/metainfo/$APP_ID.metainfo.xml" >"$WORK/as.log" \
  || fail "appstreamcli: $(cat "$WORK/as.log")"
[ "$(head -n 1 "$WORK/root/usr/bin/edoklad")" = '#!/bin/sh' ] || fail "the launcher is not a shell script"
sh -n "$WORK/root/usr/bin/edoklad" || fail "the launcher does not parse"
file_type=$(od -An -c -N4 "$WORK/root/usr/libexec/edoklad/edoklad" | tr -d ' ')
[ "$file_type" = '177ELF' ] || fail "the program is not an executable: $file_type"

# Depends names the package of every library the program loads, and the packages named by hand.
depends=$(field Depends)
has_dependency() { [[ ", $depends," =~ [\ ,]"$1"(\ \([^\)]*\))?, ]]; }
needed=$(readelf -d "$WORK/root/usr/libexec/edoklad/edoklad" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')
[ -n "$needed" ] || fail "the program names no libraries"
# Read from files, not through pipes that a reader leaves early: under pipefail the writer's
# SIGPIPE would end the script by chance.
ldconfig -p >"$WORK/ldcache"
for lib in $needed; do
  path=$(awk -v lib="$lib" '$1 == lib && /x86-64|AArch64/ {print $NF; exit}' "$WORK/ldcache")
  [ -n "$path" ] || fail "library $lib not found on this machine"
  { dpkg -S "$path" 2>/dev/null || dpkg -S "$(readlink -f "$path")"; } >"$WORK/owner" || true
  package=$(sed -n '1s/:.*//p' "$WORK/owner")
  [ -n "$package" ] || fail "no package holds $path"
  has_dependency "$package" || fail "Depends lacks $package (for $lib): $depends"
done
for package in libqt6widgets6 qt6-qpa-plugins fonts-liberation fonts-dejavu-core libcups2; do
  has_dependency "$package" || fail "Depends lacks $package: $depends"
done
[[ "$(field Recommends)" == *qt6-translations-l10n* ]] || fail "Recommends: $(field Recommends)"
# Every dependency is a package Debian has.
for name in $(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*//; s/ //g' | grep .); do
  apt-cache show "$name" >/dev/null 2>&1 || fail "no Debian package named $name"
done
echo "PASS"
