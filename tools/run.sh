#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/packages.sh
tools/build.sh
exec build/app/tallyrix "$@"
