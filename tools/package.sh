#!/usr/bin/env bash
# Builds the Debian package in build-package/, a tree that holds only what
# is installed (no tests, no benchmarks), with the build type the tests run
# with; cpack strips the programs. Then checks the package with lintian,
# which fails on any error or warning. Run tools/packages.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYRIX_TESTS=OFF -DTALLYRIX_BENCH=OFF >/dev/null
cmake --build build-package -j2
(cd build-package && cpack >/dev/null)
package=$(ls build-package/tallyrix_*.deb)
lintian --fail-on error,warning "$package"
echo "$package"
