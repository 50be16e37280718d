#!/usr/bin/env bash
# Sets everything up and runs the whole test suite on Qt's offscreen platform.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$top/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$top/build"
ctest --output-on-failure -j "$(nproc)" --timeout 120
