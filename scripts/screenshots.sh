#!/usr/bin/env bash
# Drives the real program on the demo catalogue under Xvfb through a fixed road of clicks and
# saves a screenshot at each stop, so that two builds can be compared pixel by pixel
# (compare -metric AE a.png b.png null:). Usage:
#   scripts/screenshots.sh OUTDIR [BINDIR]     (BINDIR default build/default/bin)
# Needs xvfb, xdotool, x11-utils and imagemagick (scripts/deps.sh gui).
set -euo pipefail
out=$(realpath -m "$1")
bin=$(realpath "${2:-build/default/bin}")
mkdir -p "$out"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
work=$(mktemp -d /tmp/screenshots.XXXX)
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A copy of the program with its catalogue, and a home of its own: nothing of the user's.
cp -r "$bin/db" "$bin/Images" "$bin/Template" "$bin/Catalog.chm" "$bin/Catalog" "$work/"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME"
(cd "$work" && exec ./Catalog) >"$work/out.log" 2>&1 &
app=$!

window() {  # the id of the visible window whose title is $1
  for _ in $(seq 100); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  echo "no window '$1'" >&2
  return 1
}
main=$(window 'Каталог запасных частей ООО')
sleep 1
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
click() {  # X Y in the main window's client area; then the pointer rests on an empty spot
  geometry "$main"
  xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.2 click 1
  sleep 0.8
  xdotool mousemove $((X + 395)) $((Y + 465))
  sleep 0.6
}
shot() {  # NAME [WINDOW]
  local w=${2:-$main}
  geometry "$w"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1.png"
}

shot 01-root
click 600 84;  shot 02-drawing          # section 1
click 273 121; shot 03-item             # Колонна: an assembly with its composition
click 620 515; click 433 181
shot 04-orderable                       # the slewing bearing, orderable
click 700 105; shot 05-ordered          # заказать
click 700 515; click 600 380
shot 06-list                            # the parts list
click 660 493; shot 07-list-ordered     # заказать in the list
geometry "$main"
xdotool mousemove $((X + 140)) $((Y + 498)) click 1
review=$(window 'Заказанные запасные части')
sleep 1
shot 08-review "$review"
geometry "$review"
xdotool mousemove $((X + 493)) $((Y + 324)) click 1   # Закрыть
sleep 0.8
click 240 498
help=$(window "справка")
sleep 1
shot 09-help "$help"
echo "screenshots in $out"
