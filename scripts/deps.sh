#!/usr/bin/env bash
# Installs the Debian packages this project needs, but only those that are missing.
# Usage: scripts/deps.sh [build|run|test|gui|package|format]   (default: test)
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config
            qt6-base-dev qt6-svg-dev libgl-dev
            libjpeg62-turbo-dev libexpat1-dev libpugixml-dev libzip-dev zlib1g-dev libchm-dev
            libgtest-dev libgmock-dev libbenchmark-dev
            fonts-liberation2 fp-utils)
gui_pkgs=(xvfb xdotool x11-utils imagemagick)
# The program runs without LibreOffice (it only converts Word 97-2003 order templates); the
# tests exercise that conversion.
test_pkgs=(libreoffice-writer-nogui)
package_pkgs=(dpkg-dev file desktop-file-utils lintian)
format_pkgs=(clang-format git)

case "${1:-test}" in
  build|run) wanted=("${build_pkgs[@]}") ;;
  test) wanted=("${build_pkgs[@]}" "${test_pkgs[@]}") ;;
  gui)            wanted=("${build_pkgs[@]}" "${gui_pkgs[@]}") ;;
  package)        wanted=("${build_pkgs[@]}" "${package_pkgs[@]}") ;;
  format)         wanted=("${format_pkgs[@]}") ;;
  *) echo "usage: $0 [build|run|test|gui|package|format]" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing Debian packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run_root=()
elif command -v sudo >/dev/null 2>&1; then
  run_root=(sudo)
else
  echo "error: these Debian packages are missing: ${missing[*]}" >&2
  echo "Installing them needs root, and neither root nor sudo is available here." >&2
  echo "Ask an administrator to run: apt-get install ${missing[*]}" >&2
  exit 1
fi
"${run_root[@]}" apt-get update
"${run_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y --no-install-recommends "${missing[@]}"
