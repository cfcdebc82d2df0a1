#!/bin/bash
# The screenshot of the Windows program in use, for the documentation: runs
# the built program under Wine on the 1024x768 virtual desktop in a Chinese
# locale, types a sample text and password into it, and saves the window
# with a small margin around it.
#
#   scripts/screenshot.sh [TXTSEAL_EXE [OUTPUT_PNG]]
#
# Builds nothing: TXTSEAL_EXE defaults to build/windows/txtseal.exe, whose
# build tree also holds the helper that types the sample
# (tests/e2e/fill_sample.exe). OUTPUT_PNG defaults to docs/screenshot-windows.png.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$(realpath "${1:-$repo/build/windows/txtseal.exe}")
out=$(realpath -m "${2:-$repo/docs/screenshot-windows.png}")
build=$(dirname "$exe")
fill="${TXTSEAL_FILL_SAMPLE:-$build/tests/e2e/fill_sample.exe}"
margin=8

for f in "$exe" "$fill"; do
  [ -f "$f" ] || { echo "screenshot: $f not found; build first: cmake --build --preset windows" >&2; exit 2; }
done
for tool in import convert xvfb-run; do
  command -v "$tool" >/dev/null ||
    { echo "screenshot: $tool not found (apt-get install imagemagick xvfb)" >&2; exit 2; }
done

export LANG=zh_CN.UTF-8 TXTSEAL_BUILD_DIR="$build"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Inside one Xvfb session: start the program, let the helper fill it and
# report where the window is, then photograph the screen until two shots in
# a row agree (the repaint has reached the X server; the caret may blink).
"$repo/scripts/wine-env.sh" run bash -c '
  set -e
  exe=$1 fill=$2 work=$3
  wine "$exe" &
  program=$!
  wine "$fill" >"$work/place"
  # PPM carries no time stamp, so equal shots are equal files.
  for i in $(seq 1 50); do
    import -window root "$work/b.ppm"
    if [ -f "$work/a.ppm" ] && cmp -s "$work/a.ppm" "$work/b.ppm"; then break; fi
    mv "$work/b.ppm" "$work/a.ppm"
    sleep 0.1
  done
  [ -f "$work/b.ppm" ] || mv "$work/a.ppm" "$work/b.ppm"
  kill "$program" 2>/dev/null || true
' screenshot "$exe" "$fill" "$work"

read -r left top width height < <(tr -d '\r' <"$work/place")
mkdir -p "$(dirname "$out")"
convert "$work/b.ppm" -crop "$((width + 2 * margin))x$((height + 2 * margin))+$((left - margin))+$((top - margin))" \
  +repage -strip "$out"
echo "screenshot: wrote $out (window at $left,$top, $width x $height)"
