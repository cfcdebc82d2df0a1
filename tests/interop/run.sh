#!/bin/bash
# A file saved by the Linux program imports in the Windows program, and one
# saved by the Windows program imports in the Linux program. The Windows side
# (e2e_tests' InteropTest) also compares both files byte for byte with the
# sealed format; this side compares the text the Linux program shows.
#
#   run.sh LINUX_PEER E2E_TESTS_EXE     under scripts/wine-env.sh run
set -eu
peer=$1
e2e=$2
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -x "$peer" ]; then
  echo "interop: $peer is missing; build the linux preset first (scripts/test.sh does)" >&2
  exit 1
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export TXTSEAL_INTEROP_DIR=$dir TXTSEAL_INTEROP_SAMPLE=$here/sample.txt

echo "Linux saves with a password"
QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= "$peer" save "$dir/from-linux.txt" "互通密码" "$here/sample.txt"

echo "Windows imports it, then saves with the default key"
wine "$e2e" --gtest_brief=1 --gtest_filter='InteropTest.*'

echo "Linux imports the Windows file"
QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= "$peer" import "$dir/from-windows.txt" "" "$dir/imported.txt"
if ! cmp "$here/sample.txt" "$dir/imported.txt"; then
  echo "interop: the Linux program shows another text than the Windows program saved:" >&2
  cat "$dir/imported.txt" >&2
  exit 1
fi
echo "interop: both ways, byte for byte"
