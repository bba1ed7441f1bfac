#!/usr/bin/env bash
# Builds the program and starts it on the demo catalogue laid beside the executable.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/bin/Catalog
