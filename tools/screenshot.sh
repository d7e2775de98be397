#!/usr/bin/env bash
# Runs the program under a virtual X server with a window manager (openbox, when installed) and
# takes screenshots: the main window after start-up, after converting a photo, the full-size
# view of a 5640 x 3172 photo, the overwrite question and the About window.
# Usage: tools/screenshot.sh [program] [output folder]   (needs xvfb, imagemagick, xdotool)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/release/app/obrazor}")
out=$(realpath -m "${2:-screenshots}")
mkdir -p "$out"
command -v xdotool >/dev/null || { [ "$(id -u)" -eq 0 ] && apt-get install -y -qq xdotool >/dev/null; }

photos=$(mktemp -d)
trap 'rm -rf "$photos"' EXIT
cp /usr/share/backgrounds/mate/nature/Garden.jpg /usr/share/backgrounds/mate/nature/Aqua.jpg "$photos/"
# A photo larger than any screen, first in the list.
/usr/bin/convert /usr/share/backgrounds/mate/nature/Garden.jpg -resize '5640x3172!' "$photos/A-velka.jpg"

export OBRAZOR_PROGRAM="$program" OBRAZOR_SHOTS="$out" OBRAZOR_PHOTOS="$photos"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  set -euo pipefail
  cd "$OBRAZOR_PHOTOS"
  if command -v openbox >/dev/null; then openbox & sleep 1; fi
  "$OBRAZOR_PROGRAM" & pid=$!
  main=""
  for _ in $(seq 50); do
    main=$(xdotool search --name "Lumovar Obrazor" 2>/dev/null | head -1) && [ -n "$main" ] && break
    sleep 0.2
  done
  sleep 1
  import -window root "$OBRAZOR_SHOTS/1-start.png"
  geometry=$(xdotool getwindowgeometry "$main" | sed -n "s/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p")
  set -- $geometry
  menu=$(( $(xdotool getwindowgeometry "$main" | sed -n "s/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p") - 370 ))
  # The first file of the list, then the convert button (client coordinates from the layout);
  # OBRAZOR_SLOW gives a slow build (sanitizers) more seconds per step.
  xdotool mousemove $(( $1 + 200 )) $(( $2 + menu + 38 )) click 1
  xdotool key Home  # the frame of a window manager may shift the click by a row
  sleep ${OBRAZOR_SLOW:-3}
  xdotool mousemove $(( $1 + 560 )) $(( $2 + menu + 100 )) click 1
  sleep ${OBRAZOR_SLOW:-4}
  import -window root "$OBRAZOR_SHOTS/2-converted.png"
  # A click on the preview shows the picture at 100 %; a click on the view closes it.
  xdotool mousemove $(( $1 + 380 )) $(( $2 + menu + 50 )) click 1
  sleep ${OBRAZOR_SLOW:-3}
  import -window root "$OBRAZOR_SHOTS/3-full-size.png"
  view=$(xdotool search --name "100% zobrazen" | head -1)
  xdotool mousemove --window "$view" 100 100 click 1
  sleep 0.5
  # Converting again asks before replacing the output; Escape answers No.
  xdotool mousemove $(( $1 + 560 )) $(( $2 + menu + 100 )) click 1
  sleep ${OBRAZOR_SLOW:-3}
  import -window root "$OBRAZOR_SHOTS/5-question.png"
  xdotool key Escape
  sleep 0.5
  # The credit line opens the About window.
  xdotool mousemove $(( $1 + 60 )) $(( $2 + menu + 358 )) click 1
  sleep 1
  import -window root "$OBRAZOR_SHOTS/4-about.png"
  kill $pid
'
ls "$out"
