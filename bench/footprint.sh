#!/usr/bin/env bash
# What zav3 costs a player: for the window build on a virtual X display (xvfb-run) and for a
# headless run, each from a fresh working folder with the bundled demo,
#   - the time from the start of the program to its window being mapped, and to the picture of
#     the title menu being drawn (the window stops changing for a second),
#   - peak (VmHWM) and resident (VmRSS) memory at the title menu and at the first click wait of
#     a new game (its opening skipped with a click), where the title song plays,
#   - processor time while the game waits for a click, without music (title menu) and with it
#     (new game), over SECONDS seconds, per thread, as a percentage of one core,
#   - the time a headless new game takes from start to exit,
# as medians of RUNS runs; the processor times come from one run. With a second program the
# two are run in turn in each round and shown side by side.
#   bench/footprint.sh [-n RUNS] [-s SECONDS] ZAV3 [OTHER_ZAV3]
# Use release builds (cmake --preset release). The window watcher, zav3-window-watch, is built
# beside the benchmarks (build/release/bench); WATCH=PATH names another.
set -euo pipefail

runs=${runs:-5}
seconds=${seconds:-20}
[ "${1:-}" = "--in-display" ] || while getopts "n:s:" opt; do
  case $opt in
    n) runs=$OPTARG ;;
    s) seconds=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))

here=$(cd "$(dirname "$0")" && pwd)
median() { sort -g | awk '{v[NR] = $1} END {if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Processor nanoseconds of each thread: "tid name ns" lines.
thread_times() {
  local t
  for t in /proc/"$1"/task/*; do
    [ -r "$t/schedstat" ] || continue
    printf '%s %s %s\n' "${t##*/}" "$(tr ' ' '_' < "$t/comm")" "$(cut -d' ' -f1 "$t/schedstat")"
  done
}

stop_program() {
  kill -TERM "$1" 2>/dev/null || return 0
  for _ in $(seq 1 50); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -KILL "$1" 2>/dev/null || true
}

# One windowed run: NAME ZAV3 OUT CPU [ARGS...]; appends "key value" lines to OUT.
window_run() {
  local name=$1 zav3=$2 out=$3 cpu=$4
  shift 4
  local work
  work=$(mktemp -d)
  mkdir -p "$work/play"
  "$WATCH" --still 1000 --timeout 60000 ${CLICK:+--click "$CLICK"} -- env SDL_AUDIODRIVER="${AUDIO:-dummy}" \
    "$zav3" --work "$work/play" "$@" > "$work/watch" 2> "$work/watch.err" || true
  local pid mapped drawn
  pid=$(awk '$1 == "pid" {print $2}' "$work/watch")
  mapped=$(awk '$1 == "mapped_ms" {print $2}' "$work/watch")
  drawn=$(awk '$1 == "drawn_ms" {print $2}' "$work/watch")
  if [ -z "$drawn" ] || ! kill -0 "$pid" 2>/dev/null; then
    echo "$name: the window was not drawn: $(cat "$work/watch.err")" >&2
    [ -n "$pid" ] && stop_program "$pid"
    rm -rf "$work"
    return 0
  fi
  {
    echo "$name.mapped $mapped"
    echo "$name.drawn $drawn"
    awk -v n="$name" '/^VmHWM/ {print n ".peak " $2 / 1024} /^VmRSS/ {print n ".rss " $2 / 1024}' \
      "/proc/$pid/status"
  } >> "$out"
  if [ "$cpu" = 1 ]; then
    local before after
    before=$(thread_times "$pid")
    sleep "$seconds"
    after=$(thread_times "$pid")
    awk -v n="$name" -v s="$seconds" '
      NR == FNR {t[$1] = $3; next}
      {d = $3 - ($1 in t ? t[$1] : 0); all += d; per[$2] += d}
      END {
        printf "%s.cpu %.3f\n", n, 100 * all / (s * 1e9)
        for (k in per) printf "%s.thread.%s %.3f\n", n, k, 100 * per[k] / (s * 1e9)
      }' <(echo "$before") <(echo "$after") >> "$out"
  fi
  stop_program "$pid"
  rm -rf "$work"
}

if [ "${1:-}" = "--in-display" ]; then
  shift
  out=$1
  shift
  for round in $(seq 1 "$runs"); do
    i=0
    for zav3 in "$@"; do
      cpu=$([ "$round" = 1 ] && echo 1 || echo 0)
      window_run "title" "$zav3" "$out.$i" "$cpu"
      # A new game begins with the opening: a click skips it, to the first click wait.
      CLICK=320,200 window_run "song" "$zav3" "$out.$i" "$cpu" --new-game
      AUDIO=none window_run "mute" "$zav3" "$out.$i" 0
      i=$((i + 1))
    done
  done
  exit 0
fi

[ $# -ge 1 ] || { echo "usage: bench/footprint.sh [-n RUNS] [-s SECONDS] ZAV3 [OTHER_ZAV3]"; exit 2; }
command -v xvfb-run > /dev/null || { echo "xvfb-run is not installed (scripts/deps.sh)"; exit 1; }
programs=()
for p in "$@"; do programs+=("$(realpath "$p")"); done
WATCH=${WATCH:-}
if [ -z "$WATCH" ]; then
  for c in "$(dirname "${programs[0]}")/bench/zav3-window-watch" "$here/../build/release/bench/zav3-window-watch"; do
    [ -x "$c" ] && WATCH=$(realpath "$c") && break
  done
fi
[ -x "${WATCH:-}" ] || { echo "zav3-window-watch not found: build the benchmarks or set WATCH"; exit 1; }
export WATCH runs seconds

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

# Headless: a new game from start to exit, no input.
for round in $(seq 1 "$runs"); do
  i=0
  for zav3 in "${programs[@]}"; do
    work=$(mktemp -d)
    t0=$(date +%s%N)
    /usr/bin/time -o "$work/time" -f "%M" "$zav3" --headless --new-game --work "$work/play" > /dev/null 2>&1
    t1=$(date +%s%N)
    echo "headless.ms $(((t1 - t0) / 1000)) " | awk '{print $1, $2 / 1000}' >> "$results/r.$i"
    echo "headless.peak $(awk '{print $1 / 1024}' "$work/time")" >> "$results/r.$i"
    rm -rf "$work"
    i=$((i + 1))
  done
done

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --in-display "$results/r" \
  "${programs[@]}"

value() { awk -v k="$2" '$1 == k {print $2}' "$results/r.$1" 2> /dev/null | median; }
row() {
  local label=$1 key=$2 format=$3 line
  line=$(printf '%-52s' "$label")
  for i in $(seq 0 $((${#programs[@]} - 1))); do
    v=$(value "$i" "$key")
    [ "$v" = "-" ] && line+=$(printf '%12s' "-") || line+=$(printf "%12.${format}f" "$v")
  done
  echo "$line"
}

printf '%-52s' "(medians of $runs runs; processor time over $seconds s)"
for i in $(seq 0 $((${#programs[@]} - 1))); do printf '%12s' "[$((i + 1))]"; done
echo
row "window mapped after exec, ms" title.mapped 0
row "title menu drawn after exec, ms" title.drawn 0
row "peak memory at the title menu, MB" title.peak 1
row "resident memory at the title menu, MB" title.rss 1
row "peak memory at the title, no sound device, MB" mute.peak 1
row "new game: click wait drawn after exec, ms" song.drawn 0
row "peak memory with the song playing, MB" song.peak 1
row "resident memory with the song playing, MB" song.rss 1
row "CPU at the title menu (no music), % of a core" title.cpu 2
row "CPU at a click wait, music playing, % of a core" song.cpu 2
row "headless new game, start to exit, ms" headless.ms 0
row "headless new game, peak memory, MB" headless.peak 1
for i in $(seq 0 $((${#programs[@]} - 1))); do
  echo "[$((i + 1))] ${programs[$i]}; processor time per thread, % of a core:"
  for s in title song; do
    awk -v s="$s" 'index($1, s ".thread.") == 1 {sub(s ".thread.", "", $1); printf "  %-6s %-16s %6.2f\n", s, $1, $2}' \
      "$results/r.$i" 2> /dev/null | sort -k3 -g -r
  done
done
