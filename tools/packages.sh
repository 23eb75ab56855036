#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# asking apt only for those that are missing.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config python3
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic
  xvfb xauth imagemagick xdotool xclip
  clang libclang-rt-14-dev
  bc gawk mawk
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
