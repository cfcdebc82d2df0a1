#!/bin/sh
# Installs the Debian packages that building and testing need, if any is missing.
#
#   scripts/install-deps.sh [linux | all]
#
# linux: what the native Linux program and its tests need (Qt 6, OpenSSL,
# GoogleTest, Google Benchmark). all (the default) adds the Windows build and
# its tests: the MinGW-w64 cross compiler, Wine, Xvfb, a locale and CJK fonts.
set -eu

linux="cmake make g++ pkg-config libssl-dev googletest libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n fonts-wqy-microhei"
windows="g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth locales imagemagick"

case "${1:-all}" in
  linux) packages=$linux ;;
  all) packages="$linux $windows" ;;
  *) echo "usage: install-deps.sh [linux | all]" >&2; exit 2 ;;
esac

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q $missing
