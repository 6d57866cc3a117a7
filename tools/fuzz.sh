#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for a fixed
# number of inputs, then prints the executions and findings per target.
#
#   tools/fuzz.sh [target...]      default: every target
#   FUZZ_RUNS=N                    inputs per target (default 1000000)
#   ZEM_FUZZ_DIR=dir               build directory (default build-fuzz)
#
# A finding stops its target; the input that caused it is kept under
# <build>/findings/<target>/ and the script ends with status 1.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ZEM_FUZZ_DIR:-$root/build-fuzz}"
runs="${FUZZ_RUNS:-1000000}"
all=(uo_record zo_record ks_record number_text settings_reader ranking distribution settlement)
targets=("${@:-${all[@]}}")

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 >/dev/null

# Seeds: the sample race day for the record targets, a few typed texts and
# settings files for the others.
seeds="$build/seeds"
if [ ! -d "$seeds/sample" ]; then
  "$build/fuzz_seeds" "$seeds/sample"
  mkdir -p "$seeds/texts" "$seeds/settings"
  printf '10000\n2.5\n4.0\n10.0' >"$seeds/texts/budget"
  printf ' 3,000 \n1.5\n\n7.3\n25.6\n-5\n0\n12a\n1e3' >"$seeds/texts/mixed"
  printf '%s' '1,234.5e-2' >"$seeds/texts/number"
  printf '[Header]\r\nC:\\Windows\\Pat95\r\n' >"$seeds/settings/default"
  printf '[Header]\n"/srv/pat95"\n' >"$seeds/settings/quoted"
  printf '[Header]' >"$seeds/settings/one-line"
fi

seed_dirs() {
  case "$1" in
    uo_record) echo "$seeds/uo" ;;
    zo_record | ranking) echo "$seeds/zo" ;;
    ks_record) echo "$seeds/ks" ;;
    number_text | distribution) echo "$seeds/texts" ;;
    settings_reader) echo "$seeds/settings" ;;
    settlement) echo "$seeds/settlement" ;;
  esac
}
for kind in uo zo ks; do
  if [ ! -d "$seeds/$kind" ]; then
    mkdir -p "$seeds/$kind"
    cp "$seeds/sample/$kind"-* "$seeds/$kind/"
  fi
done

# Settlement seeds: a flag byte (which of ks-, zo-, uo- there are, a stale copy
# of the result, a result cut short), the memo's length in two bytes, the memo,
# then the sample day's records of 東京1R.
if [ ! -d "$seeds/settlement" ]; then
  mkdir -p "$seeds/settlement"
  memos=("東京 1R 馬連"$'\n'" 1-2 1000"$'\n'" 3-4 500"$'\n\n'"東京 1R 単・複勝"$'\n'" 3 100"
    "東京　１Ｒ　枠連"$'\r\n'"　１－２　１，２００ 円"$'\r\n'" 3-3 100"$'\r\n'"中山 1R 三連単"$'\r\n'" 1-2 100"
    "東京 1R 複勝"$'\n'" 5 300"$'\n'" 16 100"$'\n'"東京 1R 単勝"$'\n'" 1 200")
  i=0
  for flags in 7 15 23 3 5; do
    for memo in "${memos[@]}"; do
      len=$(printf '%s' "$memo" | wc -c)
      {
        printf "\\x$(printf %02x "$flags")\\x$(printf %02x $((len & 255)))\\x$(printf %02x $((len >> 8)))"
        printf '%s' "$memo"
        cat "$seeds/sample/ks-55081.jra" "$seeds/sample/zo-581.jra" "$seeds/sample/uo-581.jra"
      } >"$seeds/settlement/seed-$i"
      i=$((i + 1))
    done
  done
fi

dictionary() {
  case "$1" in
    *_record | ranking) echo "-dict=$root/fuzz/dict/records.dict" ;;
    number_text | distribution) echo "-dict=$root/fuzz/dict/numbers.dict" ;;
    settlement) echo "-dict=$root/fuzz/dict/settlement.dict" ;;
  esac
}

status=0
summary=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  findings="$build/findings/$t"
  log="$build/logs/$t.log"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  touch "$build/.started"
  echo "fuzz_$t: $runs runs ..."
  set +e
  # shellcheck disable=SC2046
  "$build/fuzz_$t" -runs="$runs" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/" $(dictionary "$t") "$corpus" "$(seed_dirs "$t")" >"$log" 2>&1
  rc=$?
  set -e
  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  secs="$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)"
  count="$(find "$findings" -type f -newer "$build/.started" | wc -l)"
  if [ "$rc" -ne 0 ]; then
    status=1
    echo "  finding (exit $rc); see $log"
    grep -m3 -E 'ERROR|invariant failed|runtime error' "$log" | sed 's/^/    /' || true
  fi
  summary+=("$(printf '%-16s executions %-9s seconds %-5s findings %s' \
    "$t" "${execs:-?}" "${secs:-?}" "$count")")
done

echo
printf '%s\n' "${summary[@]}"
exit "$status"
