#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, then fuzzes the engine
# and the file readers for about two minutes. Any failure makes the whole run fail.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/packages.sh
tools/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
tools/run_fuzz.sh
