#!/bin/sh
# Installs the Debian packages that building and testing need, if any is missing.
set -eu

packages="cmake make g++ pkg-config libssl-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth locales fonts-wqy-microhei imagemagick"

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
