#!/usr/bin/env bash
# Plays a small game in the real SDL window on a virtual X display (xvfb-run): the picture the
# window shows at the first click wait must be the one a headless run composes, and closing the
# program from outside (SIGTERM reaches SDL as a quit) runs the end handler, which removes the
# temporary picture file. Exits 77 (skipped) without xvfb-run.
#   run_sdl_window.sh ZAVC ZAV3 DEMO_DIR SCENARIO WORK_DIR
set -euo pipefail

if [ "${1:-}" = "--in-display" ]; then
  shift
  zav3=$1 game=$2 work=$3
  rm -f "$work/window.png"
  # Under the address sanitizer the window's system libraries (D-Bus, the X drivers) keep
  # memory to the end; leaks of our own code are found by every other test.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
  # The player's settings of this machine stay out of the test: a fresh settings folder.
  XDG_CONFIG_HOME="$work/config" ZAV3_SCREENSHOT="$work/window.png" SDL_AUDIODRIVER=dummy \
    "$zav3" "$game" --new-game --work "$work/play" > "$work/window.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do
    [ -f "$work/window.png" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "zav3 ended before its first click wait:"; cat "$work/window.log"; exit 1
    fi
    sleep 0.1
  done
  [ -f "$work/window.png" ] || { echo "no screenshot within 30 s"; kill "$pid"; exit 1; }
  kill -TERM "$pid"
  status=0
  wait "$pid" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "zav3 ended with status $status after the close:"; cat "$work/window.log"; exit 1
  fi
  exit 0
fi

command -v xvfb-run > /dev/null || { echo "xvfb-run is not installed: skipped"; exit 77; }
zavc=$1 zav3=$2 demo=$3 src=$4 work=$5
rm -rf "$work"
mkdir -p "$work/game/DATA" "$work/play"
for part in "$demo"/*; do
  [ "$(basename "$part")" = DATA ] || cp -r "$part" "$work/game/"
done
"$zavc" compile "$src" "$work/game/DATA"

# The headless run checks the pixels of its "#>" lines and writes headless.png.
(cd "$work" && "$zav3" "$work/game" --headless --new-game --work "$work/headless" --input "$src" \
  --events "$work/events.txt")

# The end handler removes this file when the program ends.
touch "$work/play/4TH_CG.BMP"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --in-display "$zav3" "$work/game" "$work"
if [ -e "$work/play/4TH_CG.BMP" ]; then
  echo "the end handler did not run: 4TH_CG.BMP is still there"; exit 1
fi
if ! cmp -s "$work/headless.png" "$work/window.png"; then
  echo "the window shows another picture than the headless run: compare"
  echo "  $work/window.png and $work/headless.png"
  exit 1
fi
echo "the window showed the headless picture and closed cleanly"
