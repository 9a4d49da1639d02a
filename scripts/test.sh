#!/usr/bin/env bash
# Builds and runs every test: the unit tests (native, under AddressSanitizer
# and UndefinedBehaviorSanitizer), the end-to-end tests of the cross-built
# marquill.exe under Wine, the check of its resources and of the download
# zip, and the format check, all in one ctest run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/packages.sh
need_packages build wine

jobs=$(nproc 2>/dev/null || echo 2)
# The presets' build trees, or others under MARQUILL_BUILD_ROOT.
root=${MARQUILL_BUILD_ROOT:-$PWD/build}

echo "== MinGW cross build (marquill.exe, e2e tests, benchmarks, the zip)"
cmake --preset mingw -B "$root/mingw"
cmake --build "$root/mingw" -j "$jobs"
cmake --build "$root/mingw" --target package

echo "== native build (unit tests, ASan + UBSan)"
cmake --preset native -B "$root/native" -DMARQUILL_E2E_BUILD_DIR="$root/mingw"
cmake --build "$root/native" -j "$jobs"

echo "== tests"
ctest --test-dir "$root/native" --output-on-failure -j "$jobs"
