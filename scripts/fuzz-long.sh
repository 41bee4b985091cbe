#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS seconds (default 120), two at a time, on a working copy
# of its seed corpus, and prints for each its executions, its coverage (libFuzzer's "cov:") and
# the crashes it found (the inputs are kept in build/fuzz/findings/). A target stops at its first
# crash; run it again after the fix. Builds the fuzz preset first.
# Usage: scripts/fuzz-long.sh [SECONDS] [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(bmp wav midi avi save_slot play_records jmp_dat man_dat rnd media_command headless_script interpreter)
cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz -j2 || exit 1
work=build/fuzz/long
findings=build/fuzz/findings
mkdir -p "$work" "$findings"

run() {
  local t=$1
  rm -rf "$work/$t" "$work/$t.found" && mkdir -p "$work/$t" "$work/$t.found"
  cp fuzz/corpus/"$t"/* "$work/$t"/ 2>/dev/null
  local options=()
  [ -f fuzz/"$t".dict ] && options=(-dict=fuzz/"$t".dict)
  # Media files need room for long tracks; the others' seeds set their length.
  case $t in wav | midi | avi) options+=(-max_len=16384) ;; esac
  build/fuzz/fuzz/"$t"_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/$t.found/" "${options[@]}" "$work/$t" \
    >"$work/$t.log" 2>&1
  cp "$work/$t.found"/* "$findings"/ 2>/dev/null
  return 0
}

running=0
for t in "${targets[@]}"; do
  run "$t" &
  running=$((running + 1))
  if [ $running -ge 2 ]; then wait -n; running=$((running - 1)); fi
done
wait

printf '%-16s %12s %8s %8s\n' target executions cov crashes
status=0
for t in "${targets[@]}"; do
  log=$work/$t.log
  execs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | awk '{print $2}')
  [ -n "$execs" ] || execs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | awk '{print $2}')
  crashes=$(find "$work/$t.found" -type f | wc -l)
  printf '%-16s %12s %8s %8s\n' "$t" "${execs:-?}" "${cov:-?}" "$crashes"
  if [ "$crashes" -gt 0 ]; then
    status=1
    grep -m2 -E "^fuzz:|runtime error|ERROR: AddressSanitizer|ERROR: libFuzzer|SUMMARY" "$log" | sed 's/^/  /'
  fi
done
exit $status
