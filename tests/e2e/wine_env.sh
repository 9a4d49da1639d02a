# Sourced by the scripts that run Windows programs under Wine (the e2e tests,
# the benchmarks, scripts/run.sh): a throwaway Wine prefix on a virtual X
# display of its own, both torn down when the sourcing shell exits.
#
#   source tests/e2e/wine_env.sh
#   wine_env_available || exit 77
#   wine_env_start            # sets WINEPREFIX, DISPLAY, WINE_DRIVE_C
#   ... wine program.exe ...
#   (wine_env_stop runs from the EXIT trap)
#
# With WINE_ENV_USE_DISPLAY=1 and DISPLAY set, the programs show on that
# display (a person's desktop, with its window manager) instead of on Xvfb.
# WINE_ENV_SCREEN sets the size of Xvfb's screen (1280x1024x24 by default).

wine_env_available() {
  command -v wine >/dev/null 2>&1 && command -v wineserver >/dev/null 2>&1 &&
    command -v Xvfb >/dev/null 2>&1
}

wine_env_log() {
  echo "[wine-env] $*" >&2
}

# Starts Xvfb on the first free display; Xvfb itself picks it and reports it
# once it accepts connections, so there is no race with other servers.
wine_env_start_xvfb() {
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${WINE_ENV_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  WINE_ENV_XVFB_PID=$!
  local waited=0
  while [ ! -s "$display_file" ]; do
    if ! kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null || [ "$waited" -ge 100 ]; then
      rm -f "$display_file"
      wine_env_log "Xvfb did not start"
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  export DISPLAY=":$(tr -d '[:space:]' <"$display_file")"
  rm -f "$display_file"
  wine_env_log "Xvfb pid $WINE_ENV_XVFB_PID on $DISPLAY"
}

wine_env_reg_add() {
  wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null 2>&1
}

wine_env_start() {
  WINEPREFIX=$(mktemp -d /tmp/marquill-wine.XXXXXX)
  export WINEPREFIX
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
  WINE_DRIVE_C="$WINEPREFIX/drive_c"
  trap wine_env_stop EXIT
  trap 'exit 130' INT TERM

  local own_display=1
  if [ -n "${WINE_ENV_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    own_display=
  else
    wine_env_start_xvfb || return 1
  fi

  local started=$SECONDS
  # A persistent server keeps every later start fast.
  wineserver -p
  wineboot -i >/dev/null 2>&1 || {
    wine_env_log "wineboot failed"
    return 1
  }
  # Without a window manager Wine waits for one each time a top-level window
  # is hidden or destroyed; unmanaged windows skip that wait.
  if [ -n "$own_display" ]; then
    wine_env_reg_add 'HKCU\Software\Wine\X11 Driver' Managed N
  fi
  # A crash must fail the run, not wait for someone to close a dialog.
  wine_env_reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog 0 REG_DWORD
  wine_env_log "prefix $WINEPREFIX ready in $((SECONDS - started)) s"
}

# Sets the screen's DPI of the prefix (96 by default; 144 and 192 are useful).
wine_env_set_dpi() {
  wine_env_reg_add 'HKCU\Control Panel\Desktop' LogPixels "$1" REG_DWORD
}

wine_env_stop() {
  local status=$?
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1
    WINEPREFIX="$WINEPREFIX" wineserver -w >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
  fi
  if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null
    WINE_ENV_XVFB_PID=
  fi
  WINEPREFIX=
  return "$status"
}

# Converts a path inside drive_c to its Windows form (C:\...).
wine_env_windows_path() {
  local relative=${1#"$WINE_DRIVE_C"/}
  echo "C:\\${relative//\//\\}"
}
