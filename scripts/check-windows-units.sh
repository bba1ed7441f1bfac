#!/usr/bin/env bash
# Compiles the Windows-only units (word-processor automation, HTML Help, the shell call, the
# Windows branch of whole-file writing) with Debian's mingw-w64 cross compiler: code nobody
# runs here at least builds.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v x86_64-w64-mingw32-g++ >/dev/null 2>&1; then
  pkgs=(g++-mingw-w64-x86-64-win32)
  if [ "$(id -u)" -eq 0 ]; then apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${pkgs[@]}"
  elif command -v sudo >/dev/null 2>&1; then sudo apt-get update && sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${pkgs[@]}"
  else echo "error: the mingw-w64 cross compiler is missing and cannot be installed without root" >&2; exit 1
  fi
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Each unit with the include roots its library compiles it with.
compile() {  # UNIT INCLUDE_DIR...
  local unit=$1
  shift
  x86_64-w64-mingw32-g++ -std=c++20 -Wall -Wextra -Werror "${@/#/-I}" -c "$unit" -o "$out/$(basename "$unit").o"
  echo "compiled for Windows: $unit"
}
compile src/window/order/word_com_win.cpp src/window
compile src/window/services/shell_win.cpp src/window
compile src/help/html_help_win.cpp src/help/include
compile src/base/write_file.cpp src/base/include
