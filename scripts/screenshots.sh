#!/usr/bin/env bash
# Renders every window and dialog on Qt's offscreen platform into
# build/screenshots/<window>.png (the settings dialogs also as
# <window>-help.png with their help shown). Set QT_SCALE_FACTOR to see them
# at another scale, TAGOMAT_FONT=system for the system's own font.
set -euo pipefail

top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ ! -x "$top/build/tests/test_app" ]; then
  "$top/scripts/setup.sh"
fi
out="$top/build/screenshots"
rm -rf "$out"
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen TAGOMAT_SCREENSHOTS="$out" \
  "$top/build/tests/test_app" --gtest_filter='WindowText.EveryWindowShowsItsWholeText' >/dev/null
ls "$out"
