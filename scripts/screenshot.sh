#!/bin/bash
# The screenshots of the programs in use, for the documentation.
#
#   scripts/screenshot.sh windows   docs/screenshot-windows.png
#   scripts/screenshot.sh linux     docs/screenshot-linux.png
#
# windows: runs build/windows/txtseal.exe under Wine on the 1024x768 virtual
# desktop in a Chinese locale; tests/e2e/fill_sample.exe types a sample text
# and password into it. linux: runs the Linux window on Xvfb with a window
# manager (openbox) for its frame; tests/qt/show_sample types the same sample.
# Each shot is the window with a small margin around it. Builds nothing.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
platform=${1:-windows}
margin=8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

need() {
  for f in "$@"; do
    [ -f "$f" ] || { echo "screenshot: $f not found; build first: cmake --build --preset $platform" >&2; exit 2; }
  done
}
for tool in import convert xvfb-run; do
  command -v "$tool" >/dev/null ||
    { echo "screenshot: $tool not found (apt-get install imagemagick xvfb)" >&2; exit 2; }
done

# Photographs the screen until two shots in a row agree (the repaint has
# reached the X server; the caret may blink). PPM carries no time stamp, so
# equal shots are equal files. Leaves the shot in $work/b.ppm.
settled_shot='
  for i in $(seq 1 50); do
    import -window root "$work/b.ppm"
    if [ -f "$work/a.ppm" ] && cmp -s "$work/a.ppm" "$work/b.ppm"; then break; fi
    mv "$work/b.ppm" "$work/a.ppm"
    sleep 0.1
  done
  [ -f "$work/b.ppm" ] || mv "$work/a.ppm" "$work/b.ppm"
'

case "$platform" in
  windows)
    exe="$repo/build/windows/txtseal.exe"
    fill="$repo/build/windows/tests/e2e/fill_sample.exe"
    need "$exe" "$fill"
    export LANG=zh_CN.UTF-8 TXTSEAL_BUILD_DIR="$repo/build/windows"
    # Inside one Xvfb session: start the program, let the helper fill it and
    # report where the window is, then photograph the screen.
    "$repo/scripts/wine-env.sh" run bash -c '
      set -e
      exe=$1 fill=$2 work=$3
      wine "$exe" &
      program=$!
      wine "$fill" >"$work/place"
      '"$settled_shot"'
      kill "$program" 2>/dev/null || true
    ' screenshot "$exe" "$fill" "$work"
    ;;
  linux)
    show="$repo/build/linux/tests/qt/show_sample"
    need "$show"
    command -v openbox >/dev/null || { echo "screenshot: openbox not found (apt-get install openbox)" >&2; exit 2; }
    LANG=C.UTF-8 QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      set -e
      show=$1 work=$2
      openbox &
      sleep 1
      "$show" >"$work/place" &
      program=$!
      while [ ! -s "$work/place" ] && kill -0 "$program" 2>/dev/null; do sleep 0.1; done
      '"$settled_shot"'
      kill "$program" 2>/dev/null || true
    ' screenshot "$show" "$work"
    ;;
  *)
    echo "usage: screenshot.sh [windows | linux]" >&2
    exit 2
    ;;
esac

out="$repo/docs/screenshot-$platform.png"
read -r left top width height < <(tr -d '\r' <"$work/place")
mkdir -p "$(dirname "$out")"
convert "$work/b.ppm" -crop "$((width + 2 * margin))x$((height + 2 * margin))+$((left - margin))+$((top - margin))" \
  +repage -strip "$out"
echo "screenshot: wrote $out (window at $left,$top, $width x $height)"
