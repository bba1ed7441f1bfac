#!/usr/bin/env bash
# Checks the contents of the Debian package: where each file lands, that nothing lands
# elsewhere, the declared dependencies, the desktop entry (desktop-file-validate says nothing)
# and the icon in every size. Usage: tests/packaging/package_test.sh PACKAGE.deb
set -uo pipefail
deb=${1:?usage: $0 PACKAGE.deb}
opt=./opt/krantek-catalog
id=ru.krantek.Catalog
passed=0 failed=0
check() {  # DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}

listing=$(dpkg-deb -c "$deb") || { echo "cannot list $deb"; exit 1; }
paths=$(awk '{ p = $6; for (i = 7; i <= NF; ++i) p = p " " $i; print p }' <<<"$listing")
has() { grep -qxF -- "$1" <<<"$paths"; }

sizes=(16 24 32 48 64 128 256)
expected=("$opt/Catalog" "$opt/Catalog.chm" "$opt/db/my.xml" "$opt/Images/Fon.jpg" "$opt/Images/Fon2.jpg"
          "$opt/Template/Заказ.dot" ./usr/bin/catalogue-tool "./usr/bin/krantek-catalog -> /opt/krantek-catalog/Catalog"
          "./usr/share/applications/$id.desktop" "./usr/share/icons/hicolor/scalable/apps/$id.svg"
          ./usr/share/man/man1/catalogue-tool.1.gz ./usr/share/man/man1/krantek-catalog.1.gz
          ./usr/share/doc/krantek-catalog/copyright)
for s in "${sizes[@]}"; do expected+=("./usr/share/icons/hicolor/${s}x${s}/apps/$id.png"); done
for p in "${expected[@]}"; do check "the package holds $p" has "$p"; done

# Everything in the folder under /opt or in the places of the desktop, the commands and the manual.
stray=$(grep -vE "^\./($|opt/($|krantek-catalog/)|usr/($|bin/|share/($|applications/|man/($|man1/)|doc/($|krantek-catalog/)|icons/($|hicolor/))))" <<<"$paths")
check "nothing outside its places: $stray" test -z "$stray"
check "nothing but the catalogue's own files in /opt" test -z "$(grep "^$opt/" <<<"$paths" | grep -vE "^$opt/(|Catalog|Catalog\.chm|db/|db/my\.xml|Images/|Images/[^/]+\.jpg|Template/|Template/Заказ\.dot)$")"
check "the pictures are there" test "$(grep -c "^$opt/Images/.*\.jpg$" <<<"$paths")" -gt 10

depends=$(dpkg-deb -f "$deb" Depends)
for d in qt6-qpa-plugins libqt6svg6 fonts-liberation2 libqt6widgets6 libexpat1 libjpeg62-turbo libzip4 libpugixml1v5 libchm1; do
  check "it depends on $d" grep -qE "(^|, )$d( |,|$)" <<<"$depends"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"
desktop=$tmp/usr/share/applications/$id.desktop
check "desktop-file-validate says nothing" test -z "$(desktop-file-validate "$desktop" 2>&1)"
check "the menu names the program" grep -qx "Name=Каталог запасных частей" "$desktop"
check "the menu starts the command in /usr/bin" grep -qx "Exec=krantek-catalog" "$desktop"
check "the menu shows the icon" grep -qx "Icon=$id" "$desktop"
check "the window class is the application title" grep -qx "StartupWMClass=Каталог запасных частей" "$desktop"
# A PNG file's header gives its width and height (IHDR, bytes 16 to 23).
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'; }
for s in "${sizes[@]}"; do
  icon=$tmp/usr/share/icons/hicolor/${s}x${s}/apps/$id.png
  check "the ${s}x${s} icon is a picture of that size" test "$(png_size "$icon")" = "${s}x${s}"
done
check "the scalable icon is the application icon" cmp -s "$tmp/usr/share/icons/hicolor/scalable/apps/$id.svg" \
  "$(dirname "$0")/../../assets/app/catalog.svg"
check "catalogue-tool runs" test "$("$tmp/usr/bin/catalogue-tool" query "$tmp/${opt#./}/db/my.xml" "FID = 0" | wc -l)" -gt 1

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
