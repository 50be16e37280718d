#!/usr/bin/env bash
# Sets everything up, installs Tagomat 2 into build/install and starts the
# installed copy. Its library lives in the data folder
# ($XDG_DATA_HOME/tagomat2, by default ~/.local/share/tagomat2), so a clean
# rebuild or "rm -rf build" never takes it away.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$top/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display to show Tagomat 2 on (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
  exit 1
fi
cmake --install "$top/build" --prefix "$top/build/install" >/dev/null

# Earlier versions of run.sh kept the library in build/Tagomat2. At the first
# start of the installed copy its tables and logo files are copied over once;
# the old folder stays as it is.
data="${XDG_DATA_HOME:-$HOME/.local/share}/tagomat2"
old="$top/build/Tagomat2"
if [ ! -e "$data/ConfigDB.db" ] && [ -e "$old/ConfigDB.db" ]; then
  mkdir -p "$data"
  for f in "$old"/*.db "$old"/*.wad; do
    [ -e "$f" ] && cp -p "$f" "$data/"
  done
  echo "run.sh: copied the library in $old (tables and .wad files) to $data;" \
    "Tagomat 2 keeps it there from now on. The old folder is left as it is."
fi
exec "$top/build/install/bin/tagomat2" "$@"
