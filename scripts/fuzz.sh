#!/usr/bin/env bash
# Builds and runs the libFuzzer targets (see fuzz/README.md).
#   scripts/fuzz.sh build                    configure and build every target (preset "fuzz")
#   scripts/fuzz.sh run TARGET SECONDS [libFuzzer options...]
#                                            fuzz one target on a scratch copy of its corpus
#   scripts/fuzz.sh merge TARGET DIR         add to the corpus what in DIR reaches new code
#   scripts/fuzz.sh seeds                    remake the seed files in fuzz/corpus
# Targets: ado_reader ado_rows filter jpeg docx chm csv
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bin=$root/build/fuzz/fuzz
targets=(ado_reader ado_rows filter jpeg docx chm csv)

need_toolchain() {
  scripts/deps.sh build
  local missing=()
  for p in clang-14 libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing Debian packages: ${missing[*]}"
  local run_root=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || { echo "error: install ${missing[*]} (needs root)" >&2; exit 1; }
    run_root=(sudo)
  fi
  "${run_root[@]}" apt-get update
  "${run_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

check_target() {
  local t
  for t in "${targets[@]}"; do [ "$t" = "$1" ] && return 0; done
  echo "unknown target '$1' (one of: ${targets[*]})" >&2
  exit 2
}

# libFuzzer options kept in fuzz/<target>.options, one a line, plus the dictionary if any.
target_options() {
  local t=$1 opts=()
  [ -f "fuzz/$t.dict" ] && opts+=("-dict=$root/fuzz/$t.dict")
  if [ -f "fuzz/$t.options" ]; then
    while IFS= read -r line; do [ -n "$line" ] && [ "${line#\#}" = "$line" ] && opts+=("$line"); done <"fuzz/$t.options"
  fi
  printf '%s\n' "${opts[@]}"
}

case "${1:-}" in
  build)
    need_toolchain
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz
    ;;
  run)
    [ $# -ge 3 ] || { echo "usage: $0 run TARGET SECONDS [libFuzzer options...]" >&2; exit 2; }
    t=$2 seconds=$3
    shift 3
    check_target "$t"
    [ -x "$bin/fuzz_$t" ] || { echo "build first: $0 build" >&2; exit 1; }
    work=$(mktemp -d "${TMPDIR:-/tmp}/fuzz-$t.XXXXXX")
    mkdir -p "$work/corpus" "$work/artifacts"
    cp -r "fuzz/corpus/$t/." "$work/corpus/"
    mapfile -t opts < <(target_options "$t")
    echo "fuzzing $t for $seconds s in $work (new inputs: $work/corpus, findings: $work/artifacts)"
    set +e
    (cd "$work" && "$bin/fuzz_$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
       -print_final_stats=1 -artifact_prefix="$work/artifacts/" "${opts[@]}" "$@" corpus 2>&1 | tee "$work/log.txt")
    status=${PIPESTATUS[0]}
    set -e
    echo "log: $work/log.txt"
    ls "$work/artifacts" | sed 's/^/finding: /'
    echo "to keep new inputs: $0 merge $t $work/corpus"
    exit "$status"
    ;;
  merge)
    [ $# -eq 3 ] || { echo "usage: $0 merge TARGET DIR" >&2; exit 2; }
    t=$2
    check_target "$t"
    mapfile -t opts < <(target_options "$t")
    # Edges only, not hit counts: the committed corpus stays at a few dozen files.
    "$bin/fuzz_$t" -merge=1 -use_counters=0 -rss_limit_mb=2048 -timeout=10 "${opts[@]}" "fuzz/corpus/$t" "$3"
    ;;
  seeds)
    [ -x "$bin/fuzz_seeds" ] || { echo "build first: $0 build" >&2; exit 1; }
    "$bin/fuzz_seeds" fuzz/corpus "$(command -v chmcmd || true)"
    ;;
  *)
    sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
