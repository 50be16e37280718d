#!/usr/bin/env bash
# Builds the Debian package tagomat2_<version>_amd64.deb in build/.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/scripts/setup.sh"
cd "$top/build"
cpack -G DEB
ls -1 "$top"/build/tagomat2_*.deb
