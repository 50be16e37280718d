#!/usr/bin/env bash
# The menu entry and the metainfo pass their validators, when installed;
# the WAD3 file type claims WAD3 files only by their magic.
set -euo pipefail
dir="$1"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$dir/tagomat2.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$dir/io.github.tagomat.Tagomat2.metainfo.xml"
fi
grep -q 'value="WAD3"' "$dir/tagomat2.xml"
# WAD files, and the pictures that become logos through "Make logo".
grep -q '^MimeType=application/x-wad3;image/png;image/jpeg;image/gif;image/bmp;image/webp;$' "$dir/tagomat2.desktop"
grep -q '^Exec=tagomat2 %f$' "$dir/tagomat2.desktop"
