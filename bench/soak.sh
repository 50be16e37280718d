#!/usr/bin/env bash
# The long crash soak: kills Tagomat 2 at random moments (200 times unless
# given) while it posts, imports and renames, and checks the library after
# every kill.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/scripts/setup.sh"
cd "$top/build"
QT_QPA_PLATFORM=offscreen ./tagomat2-bench soak --fresh "$top/build/soak-work" "${1:-200}"
