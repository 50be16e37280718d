#!/usr/bin/env bash
# The Debian package built from this build tree, unpacked into a temporary
# root away from /usr: it holds the desktop files and the converters, and its
# program starts with a fresh HOME, keeps its library in the data folder
# there and stays up with its window.
#
# usage: installed_program.sh BUILD_DIR FIXTURE_WAD
# Exits 77 (skipped) when dpkg-deb, cpack, sqlite3 or python3 is missing.
set -euo pipefail
build="$1"
fixture="$2"

for tool in dpkg-deb cpack sqlite3 python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

work="$(mktemp -d)"
pid=""
finish() {
  if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAIL: $*" >&2
  if [[ -f "$work/program.log" ]]; then
    echo "--- program output:" >&2
    cat "$work/program.log" >&2
  fi
  exit 1
}

# Waits up to 30 s for a condition (a command), while the program runs.
wait_for() {
  local what="$1"; shift
  local deadline=$((SECONDS + 30))
  until "$@"; do
    if [[ -n "$pid" ]] && ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && rc=0 || rc=$?
      pid=""
      fail "the program ended (exit code $rc) before $what"
    fi
    (( SECONDS < deadline )) || fail "no $what within 30 s"
    sleep 0.1   # the poll interval; the condition above is what is waited for
  done
}

# The package, built in a folder of its own so the build tree keeps no
# packaging leftovers.
(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
shopt -s nullglob
debs=("$work"/pkg/tagomat2_*_amd64.deb)
shopt -u nullglob
(( ${#debs[@]} == 1 )) || fail "cpack made no single tagomat2_<version>_amd64.deb: $(ls "$work/pkg")"
deb="${debs[0]}"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package's dependencies do not name the Qt libraries it links: $(dpkg-deb --field "$deb" Depends)"

dpkg-deb --field "$deb" Depends | grep -q 'qt6-image-formats-plugins' || fail "the package does not depend on qt6-image-formats-plugins (WebP pictures): $(dpkg-deb --field "$deb" Depends)"
maintainer="$(dpkg-deb --field "$deb" Maintainer)"
[[ "$maintainer" =~ ^[^\<]+\ \<[^@\>]+@[^@\>]+\>$ && "$maintainer" != *localhost* ]] || fail "the package's maintainer is no name with an address: $maintainer"

root="$work/root"
dpkg-deb -x "$deb" "$root"

# What the package puts where a desktop expects it.
for file in usr/bin/tagomat2 \
            usr/libexec/tagomat2/wad3 usr/libexec/tagomat2/i_view32 usr/libexec/tagomat2/tagomat2-dbsetup \
            usr/libexec/tagomat2/logo2wad usr/libexec/tagomat2/logo2wad-qt.so \
            usr/share/tagomat2/empty.bmp usr/share/tagomat2/user-guide.html \
            usr/share/doc/tagomat2/copyright usr/share/doc/tagomat2/changelog.gz \
            usr/share/applications/tagomat2.desktop \
            usr/share/mime/packages/tagomat2.xml \
            usr/share/metainfo/io.github.tagomat.Tagomat2.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/tagomat2.svg; do
  [[ -f "$root/$file" ]] || fail "the package has no $file"
done
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$root/usr/share/doc/tagomat2/copyright" ||
  fail "the copyright file is not in Debian's machine-readable format"
gzip -t "$root/usr/share/doc/tagomat2/changelog.gz" || fail "changelog.gz is no gzip file"
for size in 16 32 48 64 128 256; do
  [[ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/tagomat2.png" ]] ||
    fail "the package has no ${size}x${size} icon"
done
for file in usr/bin/tagomat2 usr/libexec/tagomat2/wad3 usr/libexec/tagomat2/i_view32 usr/libexec/tagomat2/tagomat2-dbsetup \
            usr/libexec/tagomat2/logo2wad; do
  [[ -x "$root/$file" ]] || fail "$file is not executable"
done
# The unpacked logo2wad finds its picture module beside it: a BMP (no PNG)
# becomes a spray logo.
"$root/usr/libexec/tagomat2/logo2wad" "$root/usr/share/tagomat2/empty.bmp" "$work/empty.wad" >"$work/logo2wad.log" 2>&1 ||
  fail "the packaged logo2wad made no logo of a BMP: $(cat "$work/logo2wad.log")"
[[ "$(head -c 4 "$work/empty.wad")" == WAD3 ]] || fail "the packaged logo2wad wrote no WAD3 file"

# The unpacked program, run from a prefix that is not /usr, with a fresh
# HOME and no XDG_DATA_HOME: its library goes to ~/.local/share/tagomat2.
home="$work/home"
mkdir -p "$home"
data="$home/.local/share/tagomat2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# A stand-in for the desktop's opener, first on PATH: it notes what it was given.
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" > "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
start_program() {
  local platform="$1"; shift
  env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM="$platform" PATH="$work/bin:$PATH" \
    "$root/usr/bin/tagomat2" "$@" >>"$work/program.log" 2>&1 &
  pid=$!
}
end_program() {
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
}
# The probes open the tables read-only: a read-write open of a name the
# program has not made yet would create an empty file under it.
has_table() {
  [[ "$(sqlite3 -readonly "$data/$1.db" "SELECT count(*) FROM sqlite_master WHERE type='table' AND name='$1'" 2>/dev/null)" == 1 ]]
}
tables_made() {
  has_table LogoDB && has_table SwitchDB && has_table ConfigDB &&
    [[ "$(sqlite3 -readonly "$data/ConfigDB.db" 'SELECT count(*) FROM ConfigDB' 2>/dev/null)" == 1 ]]
}

# First start, unattended: the data folder and its tables are made before
# the Configuration window asks for the game.
start_program offscreen "$fixture"
wait_for "the three tables in $data" tables_made
[[ ! -e "$root/usr/bin/LogoDB.db" && ! -e "$root/usr/bin/portable" ]] || fail "the installed program wrote next to its executable"
kill -0 "$pid" 2>/dev/null || fail "the program did not stay up after its first start"
end_program

# A configured library (as after Save in the Configuration window), and the
# WAD on the command line: the main window imports it into the first slot,
# after the name prompt, which is answered through Qt's vnc platform, the
# one headless platform that takes keys from outside.
sqlite3 "$data/ConfigDB.db" "UPDATE ConfigDB SET ConfigSaved='Yes'"
port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
start_program "vnc:port=$port:size=1024x768" "$fixture"
python3 "$here/vnc_keys.py" "$port" spray_a 30 "$data/spray_a.wad" || fail "the name prompt was not answered"
slot_named() {
  [[ "$(sqlite3 -readonly "$data/LogoDB.db" "SELECT \"Picture 1 Title\" FROM LogoDB" 2>/dev/null)" == spray_a ]]
}
wait_for "row in LogoDB whose first slot title names spray_a" slot_named
cmp -s "$fixture" "$data/spray_a.wad" || fail "spray_a.wad is not a copy of the WAD passed on the command line"
kill -0 "$pid" 2>/dev/null || fail "the program ended after the import"
end_program

# F1 opens the user guide that the package installed.
port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
start_program "vnc:port=$port:size=1024x768"
python3 "$here/vnc_keys.py" "$port" key:F1 30 "$work/opened" || fail "F1 opened nothing"
guide="$(cat "$work/opened")"
[[ "$guide" == "file://$root/usr/share/tagomat2/user-guide.html" ]] || fail "F1 opened $guide, not the installed user guide"
end_program
echo "PASS: the unpacked package runs from $root, keeps its library in $data, imports a WAD from its command line and opens its user guide on F1"
