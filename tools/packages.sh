#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# asking apt only for those that are missing.
set -euo pipefail

PACKAGES=(
  # the build; Qt's CMake files ask for the GL headers
  cmake g++ make pkg-config python3
  qt6-base-dev libgl-dev
  # the program's icon is drawn from SVG; the speed buttons' pictures come
  # from the Adwaita icon theme (SVG as well)
  qt6-svg-dev libqt6svg6 adwaita-icon-theme
  # tests and benchmarks
  libgtest-dev libbenchmark-dev
  # the house formatting, checked by the tests
  clang-format
  # Japanese glyphs, and Qt's own texts in Japanese
  fonts-ipafont-gothic qt6-translations-l10n
  # the real window seen and driven headless (by hand, not by the tests)
  xvfb xauth imagemagick xdotool xclip
  # the fuzz target: clang with libFuzzer and the sanitizers
  clang libclang-rt-14-dev
  # peers of the command-line benchmark
  bc gawk mawk
  # the check of the Debian package (tools/package.sh)
  lintian
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
