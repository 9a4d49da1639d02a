#!/usr/bin/env bash
# Runs the benchmarks of the cross-built Windows program under Wine and
# prints their ratios.
#
#   bench/run_bench.sh <mingw-build-dir> [runs]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../tests/e2e/wine_env.sh
source "$here/../tests/e2e/wine_env.sh"

build=${1:?usage: run_bench.sh <mingw-build-dir> [runs]}
runs=${2:-10}
if ! wine_env_available; then
  echo "bench: wine or Xvfb is not installed" >&2
  exit 1
fi
build=$(cd "$build" && pwd) || exit 1
files=("$build/src/app/marquill.exe" "$build/bench/minimal_window.exe"
  "$build/bench/startup_bench.exe" "$build/tests/e2e/marquill_e2e_probe.dll")
for file in "${files[@]}"; do
  if [ ! -f "$file" ]; then
    echo "bench: $file is missing; build the mingw preset first" >&2
    exit 1
  fi
done

wine_env_start || exit 1
bench_dir="$WINE_DRIVE_C/marquill-bench"
mkdir -p "$bench_dir"
cp "${files[@]}" "$bench_dir/"
windows_dir=$(wine_env_windows_path "$bench_dir")
wine "$bench_dir/startup_bench.exe" "$windows_dir\\marquill.exe" \
  "$windows_dir\\minimal_window.exe" "$runs"
status=$?

# Where marquill.exe's start-up goes: Wine's own trace of its starts, of the
# calls startup_trace.py names (only marquill.exe's own are counted).
wine_env_reg_add 'HKCU\Software\Wine\Debug' RelayInclude "$(python3 "$here/startup_trace.py" --functions)"
wine "$bench_dir/startup_bench.exe" --trace "$windows_dir\\marquill.exe" "$runs" \
  2>"$bench_dir/startup-trace.log" &&
  python3 "$here/startup_trace.py" "$bench_dir/startup-trace.log" || status=1

# Copies a bench program (and what it needs) beside marquill.exe.
bench_program() {
  local file
  for file in "$@"; do
    if [ ! -f "$file" ]; then
      echo "bench: $file is missing; build the mingw preset first" >&2
      exit 1
    fi
  done
  cp "$@" "$bench_dir/"
}

# Peak memory once every window has been opened, against the minimal program.
bench_program "$build/bench/memory_bench.exe" "$build/tests/e2e/marquill_e2e_probe.dll"
wine "$bench_dir/memory_bench.exe" "$windows_dir\\marquill.exe" \
  "$windows_dir\\minimal_window.exe" "$runs" || status=1

# CPU time while an engine runs, and an engine's end to the status line, with
# the recording stand-in engine beside marquill.exe.
bench_program "$build/bench/engine_watch_bench.exe" "$build/tests/e2e/robocopy.exe"
wine "$bench_dir/engine_watch_bench.exe" "$windows_dir\\marquill.exe" "$runs" || status=1

# Opening a job of 1,000 exclusion values, against start-up.
bench_program "$build/bench/job_open_bench.exe"
wine "$bench_dir/job_open_bench.exe" "$windows_dir\\marquill.exe" "$runs" || status=1

# A preview of a million lines, against the same engine writing into a pipe
# that is only drained (3 runs each: each writes 80 to 160 MB).
bench_program "$build/bench/preview_bench.exe" "$build/tests/e2e/robocopy.exe"
wine "$bench_dir/preview_bench.exe" "$windows_dir\\marquill.exe" 3 || status=1
exit "$status"
