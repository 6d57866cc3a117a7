#!/usr/bin/env bash
# Builds the benchmarks in bench/ in Release (in build-bench/), runs them all
# offscreen and prints one table: each figure beside its floor measured in the
# same run, their ratio, the budget and whether it is met. Details of the runs
# go to build-bench/bench.log.
#
#   tools/bench.sh          wall-clock times (the budgets are meant for these)
#   tools/bench.sh --cpu    CPU times of the measuring thread or process, for a
#                           machine busy with other work
# With ZEM_BENCH_BEFORE set to the zem-startup-probe of an earlier build (built
# the same way from an earlier commit), start-up is also set beside that build.
# Where it is allowed (as root), the programs run at a raised priority (nice
# -10), so that other work on the machine disturbs the timings less; the header
# of the table says so.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"

if [ "${1:-}" = "--cpu" ]; then
  export ZEM_BENCH_CLOCK=cpu
  clock="CPU time"
else
  unset ZEM_BENCH_CLOCK
  clock="wall time"
fi

# The normal build's packages, and Google Benchmark, which only this needs.
"$root/tools/install-deps.sh" libbenchmark-dev

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEM_BUILD_BENCH=ON \
    -DZEM_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target zem-bench-startup zem-startup-probe \
  zem-bare-window zem-text-window zem-bench-gui zem-bench-lookup zem-bench-functions zem-bench-settle \
  zem-bench-ledger zem-bench-trend zem-bench-backtest zem-analyse >/dev/null

bin="$build/bin"
log="$build/bench.log"
export QT_QPA_PLATFORM=offscreen
rows="$build/bench-rows.tsv"
: > "$rows"
: > "$log"
failed=()
priority=()
priority_note=""
if nice -n -10 true 2>/dev/null; then
  priority=(nice -n -10)
  priority_note=", run at nice -10"
fi
run() {
  # Each program prints its rows on stdout ("ROW" lines) and its details on stderr.
  if ! "${priority[@]}" "$@" 2>>"$log" | grep '^ROW' >> "$rows"; then
    failed+=("$(basename "$1")")
  fi
}
load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
run "$bin/zem-bench-startup" "$bin/zem-startup-probe" "$bin/zem-bare-window" 41 \
  "$bin/zem-text-window" ${ZEM_BENCH_BEFORE:+"$ZEM_BENCH_BEFORE"}
run "$bin/zem-bench-gui"
run "$bin/zem-bench-lookup" "$build/lookup-data"
run "$bin/zem-bench-functions"
run "$bin/zem-bench-settle"
run "$bin/zem-bench-ledger" "$build/ledger-data"
run "$bin/zem-bench-trend" "$build/trend-data"
run "$bin/zem-bench-backtest" "$build/backtest-data"
load_after="$(cut -d' ' -f1-3 /proc/loadavg)"

echo "ZEM benchmarks, $(date '+%Y-%m-%d %H:%M %Z'), $clock$priority_note"
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), load average $load_before before, $load_after after"
echo
awk -F'\t' '
  BEGIN { n = 1; row[1] = "figure\tvalue\tfloor\tratio\tbudget\tmet" }
  { n++; row[n] = $2 "\t" $3 "\t" $4 "\t" $5 "\t" $6 "\t" $7 }
  END {
    for (i = 1; i <= n; i++) {
      k = split(row[i], f, "\t")
      for (j = 1; j <= k; j++) if (length(f[j]) > w[j]) w[j] = length(f[j])
    }
    for (i = 1; i <= n; i++) {
      split(row[i], f, "\t")
      line = "| " sprintf("%-" w[1] "s", f[1])
      for (j = 2; j <= 6; j++) line = line " | " sprintf((j == 5 ? "%-" : "%") w[j] "s", f[j])
      print line " |"
      if (i == 1) {
        sep = "|-" sprintf("%" w[1] "s", "")
        for (j = 2; j <= 6; j++) sep = sep "-|-" sprintf("%" w[j] "s", "")
        gsub(/ /, "-", sep)
        print sep "-|"
      }
    }
  }' "$rows"
if [ ${#failed[@]} -gt 0 ]; then
  echo
  echo "Failed: ${failed[*]} (see $log)" >&2
  exit 1
fi
