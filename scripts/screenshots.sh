#!/usr/bin/env bash
# Screenshots of every Marquill window at 96, 144 and 192 dpi, taken under
# Wine on a virtual X display: the main window, the Options dialog, a
# preview, the two date pickers, the About box and the message boxes; and the
# Options dialog at 96 dpi with text at 150 %.
#
#   scripts/screenshots.sh <mingw-build-dir> [out-dir]
#
# Writes <out-dir>/<dpi>/<window>.png and <out-dir>/96/options-150.png
# (out-dir defaults to build/screenshots); MARQUILL_SCREENSHOT_DPIS="96" (for
# example) takes fewer dpi.
# The build dir must hold marquill.exe and tests/e2e/screenshot_tour.exe,
# which opens the windows one by one and tells where each is.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [ $# -lt 1 ]; then
  echo "usage: scripts/screenshots.sh <mingw-build-dir> [out-dir]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
mkdir -p "${2:-$root/build/screenshots}"
out=$(cd "${2:-$root/build/screenshots}" && pwd)
dpis=${MARQUILL_SCREENSHOT_DPIS:-96 144 192}

marquill="$build/src/app/marquill.exe"
tour="$build/tests/e2e/screenshot_tour.exe"
probe="$build/tests/e2e/marquill_e2e_probe.dll"
engine="$build/tests/e2e/robocopy.exe"
for file in "$marquill" "$tour" "$probe" "$engine"; do
  if [ ! -f "$file" ]; then
    echo "screenshots: $file is missing; build the MinGW tree first" >&2
    exit 1
  fi
done
# shellcheck source=packages.sh
source "$root/scripts/packages.sh"
need_packages wine screenshot
# shellcheck source=../tests/e2e/wine_env.sh
source "$root/tests/e2e/wine_env.sh"
# Room for the Options dialog at 192 dpi.
export WINE_ENV_SCREEN=2048x1536x24
set +e
wine_env_start || exit 1
set -e

app="$WINE_DRIVE_C/marquill-shots/app"
tools="$WINE_DRIVE_C/marquill-shots/tools"
mkdir -p "$app" "$tools"
# The recording stand-in engine, so the main window can show a copy's end.
cp "$marquill" "$engine" "$app/"
cp "$tour" "$probe" "$tools/"

# Runs the tour at one dpi and takes each window's picture when it says so;
# the two talk through a pair of FIFOs, which go with the prefix.
fifos="$WINEPREFIX/screenshot-fifos"
mkdir -p "$fifos"
mkfifo "$fifos/requests" "$fifos/replies"
# Further arguments go to the tour (a message font and the one shot's name).
shoot_at() {
  local dpi=$1 line word name x y w h pid to from status=0
  shift
  mkdir -p "$out/$dpi"
  wine "$tools/screenshot_tour.exe" "$(wine_env_windows_path "$app/marquill.exe")" "$@" \
    <"$fifos/replies" >"$fifos/requests" 2>&1 &
  pid=$!
  exec {to}>"$fifos/replies" {from}<"$fifos/requests"
  while IFS= read -r line <&"$from"; do
    read -r word name x y w h <<<"${line%$'\r'}"
    case $word in
      SHOT)
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$dpi/$name.png"
        echo "$out/$dpi/$name.png (${w}x${h})"
        echo next >&"$to"
        ;;
      DONE) ;;
      *) echo "screenshot_tour: $line" >&2 ;;
    esac
  done
  exec {to}>&- {from}<&-
  wait "$pid" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "screenshots: the tour at $dpi dpi failed ($status)" >&2
    return 1
  fi
}

for dpi in $dpis; do
  wine_env_set_dpi "$dpi"
  shoot_at "$dpi"
done
# Text at 150 %: a face of Segoe UI 9 pt's size (12 pixels), half as large
# again, as Windows' text size setting makes the message font.
wine_env_set_dpi 96
shoot_at 96 "Liberation Sans" -18 options-150
