#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing ZEM need,
# and only those that are missing. Further package names given as arguments
# are installed the same way (the benchmarks add Google Benchmark).
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite
  libgtest-dev googletest
  fonts-noto-cjk qt6-translations-l10n
  xvfb xauth
  libreoffice-calc-nogui
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then sudo="sudo"; else
    echo "These packages are missing and you are not root: ${missing[*]}" >&2
    exit 1
  fi
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
