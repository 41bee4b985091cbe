#!/usr/bin/env bash
# A long headless play: the demo's story played through again and again in one run, by a player
# who takes the first item of every list and clicks at every wait, until RECORDS script records
# have run. The demo is compiled into a copy that goes back to its beginning where it would end
# (after the pirate chapter, which the first-item player leaves before the battle), so one run
# passes the opening, the patrol, the bridge, travel and the pirate alarm again and again.
# While it runs: resident and peak memory and the number of open files, sampled; at the end the
# figures after the first pass and at the end, the passes made, and a check that the working
# folder's files read back (the play records, and a new run loads the save slots).
#   bench/soak.sh [ZAV3 [RECORDS]]     (defaults: build/release/zav3, 10000000)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
zav3=${1:-$here/build/release/zav3}
records=${2:-10000000}
[ -x "$zav3" ] || { echo "no $zav3 (cmake --build --preset release)"; exit 1; }
zavc=$(dirname "$zav3")/zavc
demo=$(dirname "$zav3")/demo

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$demo" "$work/game"
cp -r "$here/content/demo" "$work/src"
# Where the story ends, it begins again.
python3 - "$work/src" <<'PY'
import sys, pathlib
src = pathlib.Path(sys.argv[1])
for name, old in (("pirates.zs", "CG\nEND\n\n# --- the battle ---"), ("shipday.zs", "SP 101\nEND\n")):
    p = src / name
    text = p.read_text()
    assert old in text, name
    p.write_text(text.replace(old, old.replace("END", "J :prologue"), 1))
PY
"$zavc" compile "$work/src/main.zs" "$work/game/DATA"
echo "auto-click 500 55 1000000" > "$work/input"

"$zav3" "$work/game" --headless --new-game --work "$work/play" --input "$work/input" \
  --max-records "$records" --events >(grep --line-buffered 'opening music' > "$work/passes") \
  > "$work/out" 2>&1 &
pid=$!
sample() {
  local rss hwm fds
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null) || return 1
  hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null) || return 1
  fds=$(ls "/proc/$pid/fd" 2>/dev/null | wc -l)
  echo "$(wc -l < "$work/passes") $rss $hwm $fds"
}
first="" last=""
start=$(date +%s)
while kill -0 "$pid" 2>/dev/null; do
  if s=$(sample); then
    [ -z "$first" ] && [ "${s%% *}" -ge 2 ] && first=$s
    last=$s
  fi
  sleep 1
done
wait "$pid" || { echo "the soak run failed:"; tail -20 "$work/out"; exit 1; }
end=$(date +%s)
[ -n "$first" ] || first=$last
read -r p1 rss1 hwm1 fd1 <<< "$first"
read -r p2 rss2 hwm2 fd2 <<< "$last"
passes=$(wc -l < "$work/passes")
printf 'records %s in %s s, %s passes\n' "$records" "$((end - start))" "$passes"
printf '%-22s %12s %12s\n' "" "first pass" "end"
printf '%-22s %12.1f %12.1f\n' "resident memory, MB" "$(echo "$rss1 / 1024" | bc -l)" "$(echo "$rss2 / 1024" | bc -l)"
printf '%-22s %12.1f %12.1f\n' "peak memory, MB" "$(echo "$hwm1 / 1024" | bc -l)" "$(echo "$hwm2 / 1024" | bc -l)"
printf '%-22s %12s %12s\n' "open files" "$fd1" "$fd2"
growth=$(echo "($hwm2 - $hwm1) * 100 / $hwm1" | bc -l)
printf 'peak memory grew %.2f %% after the first pass\n' "$growth"
# The working folder reads back: the records file, and a run that loads each filled slot.
grep -q '^\*\*\*\* ' "$work/play/COPYRIGHT.TXT" || { echo "COPYRIGHT.TXT is damaged"; exit 1; }
for n in 1 2 3 4 5 6 7 8 9; do
  head -c 1 "$work/play/SAVEDATA/SAVE$n.DAT" | grep -q -- '-' && continue
  "$zav3" "$work/game" --headless --load "$n" --work "$work/play" --input "$work/input" \
    --max-records 200 > /dev/null 2>&1 || { echo "save slot $n does not load"; exit 1; }
done
echo "the working folder reads back"
awk -v g="$growth" 'BEGIN {exit g > 5}' || { echo "peak memory grew more than 5 %"; exit 1; }
