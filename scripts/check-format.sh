#!/usr/bin/env bash
# Checks that every C++ source of the tree is formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || scripts/deps.sh format
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
echo "formatted as .clang-format says: $(git ls-files '*.cpp' '*.h' | wc -l) files"
