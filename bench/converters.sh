#!/bin/sh
# Times the extractor (wad3) and the converter (i_view32) on a real spray,
# and ImageMagick's convert doing the converter's work on the same PCX file.
# Prints the medians as "BENCH <name> <ms> ms".
#
#   bench/converters.sh [PROGRAM_DIR [WADFILE]]
#
# PROGRAM_DIR holds wad3 and i_view32 (default: build/Tagomat2); WADFILE
# defaults to the first spray of the test fixtures. Uses hyperfine when
# installed, else a timing loop.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$top/build/Tagomat2}" && pwd)
wad=$(cd "$(dirname "${2:-$top/tests/fixtures/spray-a.wad}")" && pwd)/$(basename "${2:-spray-a.wad}")
runs=${RUNS:-200}
if [ -x /usr/bin/convert ]; then convert=/usr/bin/convert; else convert=$(command -v convert); fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$bin/wad3" "$wad"
name=$(basename "$wad")
pcx=$work/${name%.*}.pcx

# median NAME COMMAND...: prints "BENCH NAME <ms> ms".
median() {
    label=$1
    shift
    if command -v hyperfine >/dev/null 2>&1; then
        # -N: no shell between hyperfine and the program.
        hyperfine -N --style none --warmup 10 --runs "$runs" -n "$label" \
            --export-csv "$work/$label.csv" "$*" >/dev/null
        ms=$(awk -F, 'NR == 2 { printf "%.2f", $4 * 1000 }' "$work/$label.csv")
    else
        i=0
        : >"$work/times"
        while [ "$i" -lt "$runs" ]; do
            start=$(date +%s%N)
            "$@" >/dev/null
            end=$(date +%s%N)
            echo $((end - start)) >>"$work/times"
            i=$((i + 1))
        done
        ms=$(sort -n "$work/times" | awk '{ t[NR] = $1 }
            END { m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; printf "%.2f", m / 1e6 }')
    fi
    echo "BENCH $label $ms ms"
}

median wad3 "$bin/wad3" "$wad"
median i_view32 "$bin/i_view32" "$pcx" "/convert=$work/temp.jpg"
median convert "$convert" "$pcx" -quality 95 -sampling-factor 1x1 "$work/magick.jpg"
