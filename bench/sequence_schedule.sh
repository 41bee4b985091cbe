#!/usr/bin/env bash
# How closely the opening keeps to its schedule in the window build: the demo's opening is
# played on a virtual X display (xvfb-run) with its song, and for every picture the time it
# appeared on the song's clock and on the game clock (both counted from the start of the song)
# is set against its scheduled time. Fails when a picture is more than 5 % off on the song's
# clock.
#   bench/sequence_schedule.sh [ZAV3 [GAME]]
# ZAV3 defaults to build/release/zav3 (else build/debug/zav3), GAME to the demo beside it.
# The whole opening is played: it takes about three and a half minutes. AUDIO=pulse (or any
# SDL audio driver) plays it through a real device instead of SDL's timed dummy device.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
zav3=${1:-}
if [ -z "$zav3" ]; then
  for b in release debug; do
    [ -x "$here/build/$b/zav3" ] && { zav3=$here/build/$b/zav3; break; }
  done
fi
[ -n "$zav3" ] && [ -x "$zav3" ] || { echo "no zav3 built (cmake --build --preset release)"; exit 1; }
game=${2:-$(dirname "$zav3")/demo}
command -v xvfb-run > /dev/null || { echo "xvfb-run is not installed (scripts/deps.sh)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/play"
# The opening is the demo's first routine: a new game starts it at once. The run is ended
# once the opening has ended.
SDL_AUDIODRIVER=${AUDIO:-dummy} xvfb-run -a -s "-screen 0 1024x768x24" \
  "$zav3" "$game" --new-game --work "$work/play" --events "$work/events" \
  > "$work/out" 2>&1 &
runner=$!
for _ in $(seq 1 300); do
  grep -qa '^opening ends' "$work/events" 2>/dev/null && break
  kill -0 "$runner" 2>/dev/null || break
  sleep 1
done
pkill -TERM -P "$runner" 2>/dev/null || true
pkill -TERM -f "$zav3 $game --new-game --work $work/play" 2>/dev/null || true
wait "$runner" 2>/dev/null || true

grep -qa '^opening music from' "$work/events" || {
  echo "the opening did not start its song:"; cat "$work/out"; exit 1; }

# Scheduled times of the pictures in the order they appear.
schedule="8 12 30 41 49 72 76 80 86 91 95 100 108 112 126 138 138 144 150 156 162 168 174 180 185 187 194"
grep -a '^opening picture' "$work/events" | awk -v schedule="$schedule" '
  BEGIN {
    n = split(schedule, at, " ")
    printf "%-8s %9s %11s %7s %11s %7s\n", "picture", "scheduled", "song clock", "off", "game clock", "off"
  }
  {
    # opening picture N at T s (game clock G s)
    k++
    picture = $3; song = $5; game = $9
    if (k > n) { printf "%-8s %9s %11.2f\n", picture, "end", song; next }
    s = at[k]; off = (song - s) / s * 100; goff = (game - s) / s * 100
    if (off < 0) off = -off
    if (off > worst) worst = off
    if (off > 5) bad++
    printf "%-8s %9.2f %11.2f %6.2f%% %11.2f %6.2f%%\n", picture, s, song, off, game, goff
  }
  END {
    if (k < n) { printf "only %d of %d pictures were shown\n", k, n; exit 1 }
    printf "worst: %.2f %% off on the song clock; %d pictures more than 5 %% off\n", worst, bad
    exit bad > 0
  }'
