#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS seconds (default 120), two at a time, on a working copy
# of its seed corpus, and prints for each its executions, its coverage (libFuzzer's "cov:") and
# the crashes it found (the inputs are kept in build/fuzz/findings/). Builds the fuzz preset first.
# Usage: scripts/fuzz-long.sh [SECONDS] [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(bmp wav midi avi save_slot play_records jmp_dat man_dat rnd media_command headless_script)
cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz -j2 || exit 1
work=build/fuzz/long
findings=build/fuzz/findings
mkdir -p "$work" "$findings"

run() {
  local t=$1
  rm -rf "$work/$t" && mkdir -p "$work/$t"
  cp fuzz/corpus/"$t"/* "$work/$t"/ 2>/dev/null
  local dict=()
  [ -f fuzz/"$t".dict ] && dict=(-dict=fuzz/"$t".dict)
  # -fork keeps going after a crash so that one run can find several.
  build/fuzz/fuzz/"$t"_fuzz -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/$t-" "${dict[@]}" "$work/$t" >"$work/$t.log" 2>&1
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
  # The fork mode's status lines: "#N: cov: C ft: F corp: ... exec/s: E oom/timeout/crash: a/b/c".
  execs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | awk '{print $2}')
  crashes=$(grep -oE 'oom/timeout/crash: [0-9]+/[0-9]+/[0-9]+' "$log" | tail -1 | awk '{print $2}')
  printf '%-16s %12s %8s %8s\n' "$t" "${execs:-?}" "${cov:-?}" "${crashes:-?}"
  case "$crashes" in ""|0/0/0) ;; *) status=1 ;; esac
done
exit $status
