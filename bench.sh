#!/usr/bin/env bash
# Builds Tagomat 2 and runs its benchmark: start-up, paging, saving and
# importing against libraries of 10 and 1,000 pages.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$top/scripts/setup.sh"
cmake --build "$top/build" --target tagomat2-bench -j "$(nproc)"
mkdir -p "$top/build/bench-work"
cd "$top/build"
QT_QPA_PLATFORM=offscreen ./tagomat2-bench run --work "$top/build/bench-work" "$@"
