#!/usr/bin/env bash
# Benchmark: times Quillet against the RichEdit control's own limit and Wine's
# notepad and wordpad on generated files, and prints the tables.
#
#   bash scripts/bench.sh                        the full run (about 27 minutes on 2 cores)
#   bash scripts/bench.sh --runs 1 --inputs plain-1MB   a part of it (any quillet_bench.exe option)
#   bash scripts/bench.sh --explore plain-1MB    the control's load variations and typing costs
#   bash scripts/bench.sh --probe plain-10MB     only the control's typing costs
#   bash scripts/bench.sh --ops insert-append    only Insert and Append To (with open and save) on plain-10MB
#
# Installs what is missing, builds quillet.exe and quillet_bench.exe (win64
# preset), starts a private Xvfb, a Wine prefix of its own with the virtual
# desktop (build/wine/bench-prefix) and one wineserver for the run, then runs
# the driver inside Wine: every timing is taken there, with CreateProcessA.
# The full run (no options, or QUILLET_BENCH_RECORD=1) writes
# bench/results/latest.md and latest.csv plus dated copies; any run leaves its
# tables in build/bench/out. Not part of the tests; it has no pass or fail.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
ROOT=$(pwd)
PREFIX="$ROOT/build/wine/bench-prefix"
WORK="$ROOT/build/bench/work"
OUT="$ROOT/build/bench/out"
RESULTS="$ROOT/bench/results"
DESKTOP_SIZE=1280x1024
LOG="$ROOT/build/bench/bench.log"

record=0
if (($# == 0)) || [[ "${QUILLET_BENCH_RECORD:-0}" == 1 ]]; then record=1; fi
explore=0
for arg in "$@"; do
  if [[ "$arg" == --explore || "$arg" == --probe || "$arg" == --ops ]]; then explore=1; fi
done

bash "$ROOT/scripts/deps.sh"
mkdir -p "$ROOT/build/bench"
echo "bench: building quillet.exe and quillet_bench.exe (log: $LOG)"
if ! { cmake --preset win64 -DQUILLET_BENCH=ON && cmake --build --preset win64 --target quillet quillet_bench; } >"$LOG" 2>&1; then
  tail -n 30 "$LOG" >&2
  echo "bench: the build failed" >&2
  exit 1
fi

# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
quillet_install_teardown_trap
quillet_start_xvfb
quillet_wine_prefix "$PREFIX" "$DESKTOP_SIZE"
quillet_start_wineserver

rm -rf "$WORK" "$OUT"
mkdir -p "$WORK" "$OUT"
if ((record)); then mkdir -p "$RESULTS"; fi
win_work=$(winepath -w "$WORK" 2>/dev/null </dev/null)
win_out=$(winepath -w "$OUT" 2>/dev/null </dev/null)

started=$(date -u '+%Y-%m-%d %H:%M UTC')
stamp=$(date -u '+%Y-%m-%d-%H%M')
load=$(cut -d' ' -f1-3 /proc/loadavg)
begin=$SECONDS
wine "$ROOT/build/win64/bin/quillet_bench.exe" --work "$win_work" --out "$win_out" "$@" </dev/null
echo "bench: the driver took $((SECONDS - begin)) s"
if ((explore)); then exit 0; fi

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
{
  echo "Run of $started: \`bash scripts/bench.sh${*:+ $*}\`, $(nproc) cores, $cpu, $(wine --version 2>/dev/null),"
  echo "load average $load at the start, $((SECONDS - begin)) s in all."
  echo
  cat "$OUT/table.md"
} >"$OUT/report.md"
echo
cat "$OUT/report.md"
echo
if ((record)); then
  cp "$OUT/report.md" "$RESULTS/latest.md"
  cp "$OUT/table.csv" "$RESULTS/latest.csv"
  cp "$OUT/report.md" "$RESULTS/$stamp.md"
  cp "$OUT/table.csv" "$RESULTS/$stamp.csv"
  echo "bench: written $RESULTS/latest.md, latest.csv and $stamp.md, $stamp.csv"
else
  echo "bench: a partial run: tables in $OUT (bench/results is left as it was)"
fi
