#!/usr/bin/env bash
# Drives the program by keyboard alone under a virtual X server with openbox, the way a user
# without a mouse would: choose a photo, convert it, open and close the 100 % view, open and
# close the About window, the menu bar by Alt. Takes a screenshot after each step and checks the
# windows through xdotool; exits non-zero at the first step that fails.
# Usage: tools/keyboard-walk.sh [program] [output folder]   (needs xvfb, openbox, xdotool,
# x11-utils, imagemagick)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/release/app/obrazor}")
out=$(realpath -m "${2:-screenshots/keyboard}")
mkdir -p "$out"
photos=$(mktemp -d)
trap 'rm -rf "$photos"' EXIT
/usr/bin/convert /usr/share/backgrounds/mate/nature/Garden.jpg -resize '1600x1200!' "$photos/auto.jpg"

export OBRAZOR_PROGRAM="$program" OBRAZOR_SHOTS="$out" OBRAZOR_PHOTOS="$photos"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  set -euo pipefail
  step() { sleep "${OBRAZOR_SLOW:-2}"; import -window root "$OBRAZOR_SHOTS/$1.png"; echo "step $1"; }
  fail() { echo "FAILED: $*" >&2; kill $pid 2>/dev/null; exit 1; }
  visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
  cd "$OBRAZOR_PHOTOS"
  openbox & sleep 1
  "$OBRAZOR_PROGRAM" & pid=$!
  for _ in $(seq 100); do visible "Lumovar Obrazor" && break; sleep 0.2; done
  visible "Lumovar Obrazor" || fail "the main window did not come up"
  step 1-start
  # Tab order: log, button, source, quality, folders, drives, files: six Tabs to the files;
  # Space selects the file under the focus mark of the list.
  xdotool key Tab Tab Tab Tab Tab Tab space
  step 2-selected
  [ -f auto.LMV.jpg ] && fail "selecting converted"
  # Back to the button (Shift+Tab five times) and Enter.
  xdotool key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
  step 3-converted
  [ -s auto.LMV.jpg ] || fail "Enter on the button did not convert"
  # On to the preview panel: tab order 9 (source, quality, folders, drives, files, filter, gray, panel).
  xdotool key Tab Tab Tab Tab Tab Tab Tab Tab Return
  step 4-full-size
  visible "100% zobrazen" || fail "Enter on the preview did not open the view"
  xdotool key Escape
  step 5-view-closed
  visible "100% zobrazen" && fail "Escape did not close the view"
  # Alt shows the active menu item; Right moves on to "O programu..." (the last item); Enter
  # opens the About window.
  xdotool key alt
  step 6-menu-by-alt
  xdotool key Left
  step 7-menu-about
  xdotool key Return
  step 8-about
  visible "O programu" || fail "the menu did not open the About window"
  xdotool key Escape
  step 9-about-closed
  visible "O programu" && fail "Escape did not close the About window"
  kill $pid
  echo "keyboard walk done"
'
ls "$out"
