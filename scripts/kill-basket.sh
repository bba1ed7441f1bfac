#!/usr/bin/env bash
# Kills the program at random moments of a session that collects parts, again and again, and
# checks after each kill that the next start finds the basket as it was just before or just
# after the last change, never a damaged one. Usage (after a build of the default preset):
#   scripts/kill-basket.sh [ROUNDS]      (default 200)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-200}
bin=build/default/bin
session=$bin/basket_session
[ -x "$session" ] || { echo "build first: cmake --build --preset default" >&2; exit 2; }
work=$(mktemp -d /tmp/kill-basket.XXXX)
trap 'rm -rf "$work"' EXIT
cp -r "$bin/db" "$bin/Images" "$work/"
mkdir -p "$work/data"
parts=12
previous=0
bad=0
midway=0
for round in $(seq "$rounds"); do
  "$session" collect "$work" "$work/data" "$parts" 60 >"$work/said" 2>/dev/null &
  pid=$!
  # Somewhere between its start-up and its last change.
  sleep "0.$(printf '%03d' $((RANDOM % 900)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  last=$( (grep -o 'saved [0-9]*' "$work/said" || true) | tail -1 | cut -d' ' -f2)
  found=$("$session" check "$work" "$work/data")
  case "$found" in
    "basket "*) n=${found#basket } ;;
    *) echo "round $round: $found"; bad=$((bad + 1)); continue ;;
  esac
  # The last change said to be kept is there, and at most the one after it.
  if [ -z "$last" ]; then ok=$([ "$n" = "$previous" ] || [ "$n" = 0 ] && echo y || echo n)
  else ok=$([ "$n" = "$last" ] || [ "$n" = $((last + 1)) ] && echo y || echo n); fi
  if [ "$ok" != y ]; then
    echo "round $round: the basket holds $n parts after 'saved ${last:-none}' (before: $previous)"
    bad=$((bad + 1))
  fi
  previous=$n
  [ "${last:-0}" -lt "$parts" ] && midway=$((midway + 1))
done
echo "$rounds kills ($midway of them before the session's last change), $bad restarts found a basket other than the one before or after the last change"
[ "$bad" = 0 ]
