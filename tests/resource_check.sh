#!/bin/sh
# Checks the resources of the cross-built marquill.exe and the download made
# from it. Skipped (77) until that build exists.
# Usage: resource_check.sh MINGW_BUILD_DIR
here=$(dirname "$0")
exe="${1:+$1/src/app/marquill.exe}"
if [ -z "$exe" ] || [ ! -f "$exe" ]; then
  echo "marquill.exe not built yet (${exe:-no MinGW build directory given}); skipped"
  exit 77
fi
exec python3 "$here/resource_check.py" "$exe" "$1/marquill-1.0.0-win64.zip"
