#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs the Debian packages that are
# missing, then configures and builds Tagomat 2 in Release mode into build/.
set -euo pipefail

top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
packages=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev
  libsqlite3-dev sqlite3
  libjpeg62-turbo-dev libjpeg-turbo-progs
  libgtest-dev
  netpbm imagemagick
  clang libclang-rt-14-dev
  hyperfine time
  pxlib-dev
  libimagequant-dev libpng-dev zlib1g-dev qt6-image-formats-plugins
  libgif-dev libwebp-dev
  libarchive-dev
  fonts-liberation2
  desktop-file-utils appstream dpkg-dev
  python3 qt6-qpa-plugins
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$top/build" -j "$(nproc)"
