#!/usr/bin/env bash
# Sets everything up and starts Tagomat 2 from its program directory.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$top/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display to show Tagomat 2 on (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
  exit 1
fi
exec "$top/build/Tagomat2/tagomat2"
