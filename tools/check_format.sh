#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format makes of
# it (the house style is .clang-format; hand-laid tables are fenced with
# "// clang-format off" and "// clang-format on").
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
