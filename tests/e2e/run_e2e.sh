#!/usr/bin/env bash
# Runs the end-to-end tests of the cross-built marquill.exe under Wine, in a
# throwaway prefix on a virtual X display.
#
#   tests/e2e/run_e2e.sh <mingw-build-dir> [gtest arguments...]
#
# Exits 77 (skipped) when Wine or Xvfb is missing or no build dir is given.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine_env.sh
source "$here/wine_env.sh"

build=${1:-}
shift || true

if ! wine_env_available; then
  echo "e2e: wine or Xvfb is not installed; skipping the end-to-end tests"
  exit 77
fi
if [ -z "$build" ]; then
  echo "e2e: no MinGW build dir given (configure with -DMARQUILL_E2E_BUILD_DIR); skipping"
  exit 77
fi
build=$(cd "$build" && pwd) || exit 1
marquill="$build/src/app/marquill.exe"
tests="$build/tests/e2e"
for file in "$marquill" "$tests/marquill_e2e_tests.exe" "$tests/marquill_e2e_probe.dll" \
  "$tests/robocopy.exe" "$tests/MSINFO32.EXE"; do
  if [ ! -f "$file" ]; then
    echo "e2e: $file is missing; build the mingw preset first" >&2
    exit 1
  fi
done

started=$SECONDS
# Room for the Options dialog at 192 dpi, and at 150 % text told of 144 dpi
# (the layout tests try both).
export WINE_ENV_SCREEN=${WINE_ENV_SCREEN:-2880x1800x24}
wine_env_start || exit 1

root="$WINE_DRIVE_C/marquill-e2e"
program_dir="$root/app"
program_dir_blank="$WINE_DRIVE_C/Program Files/Marquill Test"
mkdir -p "$root/tests" "$root/scratch" "$program_dir" "$program_dir_blank"
for dir in "$program_dir" "$program_dir_blank"; do
  cp "$marquill" "$tests/robocopy.exe" "$tests/MSINFO32.EXE" "$dir/"
done
cp "$tests/marquill_e2e_tests.exe" "$tests/marquill_e2e_probe.dll" "$root/tests/"
# Windows has its own engine in the system folder, used when none lies beside
# marquill.exe; Wine's is a builtin stub, so the recording one takes its
# place, loaded as the native program it is.
cp "$tests/robocopy.exe" "$WINE_DRIVE_C/windows/system32/robocopy.exe"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;robocopy.exe=n"

MARQUILL_E2E_PROGRAM_DIR=$(wine_env_windows_path "$program_dir")
MARQUILL_E2E_PROGRAM_DIR_BLANK=$(wine_env_windows_path "$program_dir_blank")
MARQUILL_E2E_SCRATCH_DIR=$(wine_env_windows_path "$root/scratch")
export MARQUILL_E2E_PROGRAM_DIR MARQUILL_E2E_PROGRAM_DIR_BLANK MARQUILL_E2E_SCRATCH_DIR
# xprop gives the run's X screen a smaller work area for a test (WorkArea).
xprop=$(command -v xprop) && export MARQUILL_E2E_XPROP="Z:${xprop//\//\\}"

# The driver has its own timeouts; this one only stops a run that hangs anyway.
timeout 1200 wine "$root/tests/marquill_e2e_tests.exe" --gtest_color=no "$@"
status=$?
echo "e2e: finished with status $status in $((SECONDS - started)) s (Wine start-up included)"
exit "$status"
