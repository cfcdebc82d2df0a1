#!/bin/bash
# A private Wine prefix for running the Windows program as a user would see
# it: on a 1024x768 Wine virtual desktop, with Wine's own fonts and a CJK font
# for Chinese captions. One prefix per locale, in the build tree, made once and
# reused; never ~/.wine.
#
#   wine-env.sh [prepare]     make the prefix ready (idempotent)
#   wine-env.sh prefix        print the prefix's path
#   wine-env.sh run CMD...    prepare, then run CMD under a fresh Xvfb and stop
#                             the prefix's wineserver afterwards
#   . wine-env.sh             prepare and export WINEPREFIX & co. into the shell
#
# Settings from the environment:
#   TXTSEAL_BUILD_DIR   the Windows build tree (default: <repo>/build/windows)
#   LANG                the locale the programs run in (default zh_CN.UTF-8);
#                       it decides the ANSI code page, so each locale gets its
#                       own prefix and Wine never rewrites the font settings
#                       of one code page for the other
#   TXTSEAL_DPI         the screen's DPI (default 96); other values get a
#                       prefix of their own
#   TXTSEAL_E2E_PREFIX  the prefix's path, overriding the default
#                       <build>/wineprefix-e2e-<language>[-<dpi>dpi]

txtseal_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export LANG="${LANG:-zh_CN.UTF-8}"
case "$LANG" in C | C.* | POSIX) export LANG=zh_CN.UTF-8 ;; esac
txtseal_build="${TXTSEAL_BUILD_DIR:-$txtseal_repo/build/windows}"
txtseal_dpi="${TXTSEAL_DPI:-96}"
txtseal_dpi_suffix=""
[ "$txtseal_dpi" = 96 ] || txtseal_dpi_suffix="-${txtseal_dpi}dpi"
export WINEPREFIX="${TXTSEAL_E2E_PREFIX:-$txtseal_build/wineprefix-e2e-${LANG%%.*}$txtseal_dpi_suffix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Wine takes the ANSI code page from the C library's locale, so LANG alone is
# not enough when the system has not generated that locale: Wine then falls
# back to code page 1252. The locale is compiled once into the build tree
# and found through LOCPATH; the system's locales stay as they are.
txtseal_locale() {
  local want have dir
  want=$(printf '%s' "$LANG" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z')
  printf '%s\n' "$have" | grep -qxF "$want" && return 0
  dir="$txtseal_build/locale"
  if [ ! -f "$dir/$LANG/LC_CTYPE" ]; then
    command -v localedef >/dev/null && [ -d /usr/share/i18n/locales ] ||
      { echo "wine-env: cannot make locale $LANG (apt-get install locales)" >&2; return 2; }
    mkdir -p "$dir"
    localedef -i "${LANG%%.*}" -f "$(printf '%s' "${LANG#*.}" | sed 's/^utf8$/UTF-8/I')" "$dir/$LANG" 2>/dev/null ||
      [ -f "$dir/$LANG/LC_CTYPE" ] || { echo "wine-env: localedef failed for $LANG" >&2; return 2; }
  fi
  export LOCPATH="$dir"
}

# This Debian build of Wine never loads its own fonts (Tahoma, Marlett, the
# bitmap system fonts), which the fonts-wine package puts in
# /usr/share/wine/fonts: its win32u looks for them in "<data dir>\../fonts"
# instead, and fontconfig does not index that folder. Tahoma then falls back
# to Liberation Sans, and the caption buttons, drawn as Marlett's "0", "1" and
# "r", show those letters. Copies in the prefix's C:\windows\Fonts are loaded.
txtseal_wine_fonts() {
  local d
  for d in /usr/share/wine/fonts /usr/local/share/wine/fonts /opt/wine/share/wine/fonts; do
    [ -f "$d/marlett.ttf" ] && { echo "$d"; return 0; }
  done
  return 1
}

# The font that draws Chinese: WenQuanYi Micro Hei (fonts-wqy-microhei),
# which Wine sees through fontconfig.
txtseal_cjk_file=wqy-microhei.ttc
txtseal_cjk_face="WenQuanYi Micro Hei"

# REG_MULTI_SZ as the .reg file's hex(7): UTF-16LE, each string and the list
# terminated by a zero character. ASCII only.
txtseal_multi_sz() {
  local s out="" i
  for s in "$@"; do
    for ((i = 0; i < ${#s}; i++)); do out+=$(printf '%02x,00,' "'${s:i:1}"); done
    out+="00,00,"
  done
  printf '%s00,00' "$out"
}

txtseal_registry() {
  local link
  link=$(txtseal_multi_sz "$txtseal_cjk_file,$txtseal_cjk_face")
  cat <<EOF
Windows Registry Editor Version 5.00

; Every program of the prefix runs inside one 1024x768 Wine desktop, which
; gives windows their frame and a screen of a known size.
[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="1024x768"

; Layouts are measured at 96 DPI, and once at a higher DPI.
[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$(printf '%08x' "$txtseal_dpi")

; Under code page 936 Wine maps MS Shell Dlg (the dialog and GUI font) to
; SimSun, which is absent; a replacement makes that name a CJK font that exists.
[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"SimSun"="$txtseal_cjk_face"
"NSimSun"="$txtseal_cjk_face"
"Microsoft YaHei"="$txtseal_cjk_face"

; Tahoma (MS Shell Dlg under other code pages, and the caption and message
; box fonts) has no Chinese glyphs; Wine's own link list for it names only
; Windows font files (SIMSUN.TTC and others) that are not here, so Chinese
; showed as boxes. Linked to the CJK font, Tahoma draws Latin text itself and
; Chinese through the link.
[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Tahoma"=hex(7):$link
"Tahoma Bold"=hex(7):$link
"Microsoft Sans Serif"=hex(7):$link
"Lucida Sans Unicode"=hex(7):$link

; A test program that crashes ends with its exit code, not a dialog that
; waits for a click nobody gives.
[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
}

txtseal_prepare() {
  local fonts stamp want
  txtseal_locale || return $?
  command -v wine >/dev/null || { echo "wine-env: wine not found (apt-get install wine wine64)" >&2; return 2; }
  fonts=$(txtseal_wine_fonts) || { echo "wine-env: Wine's fonts (marlett.ttf) not found" >&2; return 2; }
  stamp="$WINEPREFIX/.txtseal-env"
  want=$( { txtseal_registry; ls "$fonts"; echo "$LANG"; } | sha1sum | cut -d' ' -f1)
  [ "$(cat "$stamp" 2>/dev/null)" = "$want" ] && return 0

  mkdir -p "$WINEPREFIX"
  (
    # Two tests preparing one prefix at once would race.
    flock 9
    [ "$(cat "$stamp" 2>/dev/null)" = "$want" ] && exit 0
    set -e
    # wineboot runs in the prefix's locale, so Wine settles the code page's
    # font defaults before the settings below are added to them.
    [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n "$fonts"/*.ttf "$fonts"/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"
    # UTF-16 with its byte order mark, the form in which reg reads hex(7)
    # data as UTF-16 strings.
    { printf '\377\376'; txtseal_registry | iconv -f UTF-8 -t UTF-16LE; } >"$WINEPREFIX/drive_c/txtseal-env.reg"
    wine reg import 'C:\txtseal-env.reg' >/dev/null 2>&1
    # The registry reaches the disk when the wineserver ends.
    wineserver -w
    echo "$want" >"$stamp"
  ) 9>"$WINEPREFIX/.txtseal-env.lock"
}

txtseal_run() {
  txtseal_prepare || return $?
  # The virtual desktop belongs to the X display it started on, so the
  # wineserver (and the desktop with it) ends with the display.
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '"$@"; rc=$?; wineserver -k 2>/dev/null; wineserver -w; exit $rc' \
    txtseal-run "$@"
}

if [ "${BASH_SOURCE[0]}" != "$0" ]; then
  txtseal_prepare
  return $?
fi

case "${1:-prepare}" in
  prepare) txtseal_prepare ;;
  prefix) echo "$WINEPREFIX" ;;
  run)
    shift
    [ $# -gt 0 ] || { echo "usage: wine-env.sh run COMMAND..." >&2; exit 2; }
    txtseal_run "$@"
    ;;
  *)
    echo "usage: wine-env.sh [prepare | prefix | run COMMAND...]" >&2
    exit 2
    ;;
esac
