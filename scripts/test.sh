#!/usr/bin/env bash
# Builds everything and runs every test. Usage: scripts/test.sh [preset]  (default, asan)
# CATALOG_WERROR=ON in the environment makes the project's warnings errors (as CI builds).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
scripts/deps.sh test
cmake --preset "$preset" -DCATALOG_WERROR="${CATALOG_WERROR:-OFF}" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset"
