#!/usr/bin/env bash
# Measures the processor time the windowed zav3 takes while the game waits for a click: the
# program runs on a virtual X display (xvfb-run), is left alone until its first click wait
# (ZAV3_SCREENSHOT tells when it got there), and then its user and system time over SECONDS
# seconds is read from /proc and printed as a percentage of one core.
#   bench/idle_cpu.sh ZAV3 [GAME_DIR] [SECONDS]
# Use a release build (cmake --preset release). Without GAME_DIR the bundled demo is played.
set -euo pipefail

if [ "${1:-}" = "--in-display" ]; then
  shift
  zav3=$1 seconds=$2 work=$3
  shift 3
  ZAV3_SCREENSHOT="$work/first-wait.png" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" \
    "$zav3" "$@" --new-game --work "$work/play" > "$work/zav3.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 600); do
    [ -f "$work/first-wait.png" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "zav3 ended early:"; cat "$work/zav3.log"; exit 1; }
    sleep 0.1
  done
  [ -f "$work/first-wait.png" ] || { echo "no click wait within 60 s"; kill "$pid"; exit 1; }
  sleep 1  # let the first presents settle
  ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
  before=$(ticks)
  sleep "$seconds"
  after=$(ticks)
  kill -TERM "$pid"
  wait "$pid" || true
  hz=$(getconf CLK_TCK)
  awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "idle at a click wait: %.2f %% of one core (%d ticks in %d s)\n", 100 * t / hz / s, t, s }'
  exit 0
fi

command -v xvfb-run > /dev/null || { echo "xvfb-run is not installed (scripts/deps.sh)"; exit 1; }
zav3=$(realpath "${1:?usage: bench/idle_cpu.sh ZAV3 [GAME_DIR] [SECONDS]}")
game=${2:-}
seconds=${3:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/play"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --in-display "$zav3" "$seconds" "$work" $game
