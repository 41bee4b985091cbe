#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for about 10 seconds on its seed corpus
# (copied, so that the corpus in the tree stays as it is). Exits non-zero when a target crashes,
# hangs or reports a sanitizer error; the input that did it is left in build/fuzz/findings/.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-10}
cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz -j2 || exit 1
targets=(bmp wav midi avi save_slot play_records jmp_dat man_dat rnd media_command headless_script interpreter)
work=build/fuzz/smoke
findings=build/fuzz/findings
mkdir -p "$findings"
failed=()
for t in "${targets[@]}"; do
  rm -rf "$work/$t" && mkdir -p "$work/$t"
  cp fuzz/corpus/"$t"/* "$work/$t"/ 2>/dev/null
  options=()
  [ -f fuzz/"$t".dict ] && options=(-dict=fuzz/"$t".dict)
  # Media files need room for long tracks; the others' seeds set their length.
  case $t in wav | midi | avi) options+=(-max_len=16384) ;; esac
  if build/fuzz/fuzz/"$t"_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/$t-" "${options[@]}" "$work/$t" >"$work/$t.log" 2>&1; then
    echo "fuzz $t: ok ($(grep -o 'stat::number_of_executed_units: [0-9]*' "$work/$t.log" | awk '{print $2}') runs)"
  else
    echo "fuzz $t: FAILED (see $work/$t.log)"
    grep -m3 -E "ERROR|SUMMARY|runtime error" "$work/$t.log"
    failed+=("$t")
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz: failed: ${failed[*]}"; exit 1; }
echo "fuzz: all ${#targets[@]} targets ran without a finding"
