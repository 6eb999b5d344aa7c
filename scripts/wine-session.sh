# Sourced by scripts/test, scripts/run and the benchmarks: a virtual X
# display, a Wine prefix of the project's own and a persistent wineserver,
# each ended on exit only when this script started it.

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompt while a prefix is created, and no menu
# entries or file associations written into the user's home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

session_xvfb_pid=""
session_wineserver=""

# Starts Xvfb on the first free display number and exports DISPLAY.
start_virtual_display() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  session_xvfb_pid=$!
  local waited=0
  until [[ -s $fd_file ]]; do
    if ! kill -0 "$session_xvfb_pid" 2>/dev/null || ((waited >= 100)); then
      echo "Xvfb did not start" >&2
      rm -f "$fd_file"
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  export DISPLAY=":$(tr -d '[:space:]' <"$fd_file")"
  rm -f "$fd_file"
  echo "virtual display $DISPLAY"
}

# Points WINEPREFIX at DIR, creating the prefix there the first time, with
# Arial and Arial Narrow mapped to the Liberation faces of the same metrics.
prepare_wine_prefix() {
  export WINEPREFIX=$1
  local stamp=$WINEPREFIX/.tallowmere-prefix
  [[ -f $stamp ]] && return 0

  fc-list : family | grep -qx 'Liberation Sans Narrow' || {
    echo "fonts-liberation is missing: no Liberation Sans Narrow" >&2
    return 1
  }
  echo "creating Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1 </dev/null
  local replacements='HKCU\Software\Wine\Fonts\Replacements'
  wine reg add "$replacements" /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1 </dev/null
  wine reg add "$replacements" /v 'Arial Narrow' /t REG_SZ /d 'Liberation Sans Narrow' /f \
    >/dev/null 2>&1 </dev/null
  local mapped
  mapped=$(wine reg query "$replacements" 2>/dev/null </dev/null | tr -d '\r')
  if ! grep -q 'Arial  *REG_SZ  *Liberation Sans$' <<<"$mapped" ||
    ! grep -q 'Arial Narrow  *REG_SZ  *Liberation Sans Narrow$' <<<"$mapped"; then
    echo "the font mapping did not reach the Wine prefix" >&2
    return 1
  fi
  # The registry reaches the disk when the server ends.
  wineserver -w
  touch "$stamp"
}

# Keeps one wineserver (and with it the prefix's services) for the session.
# The services start here with their output sent nowhere: started by a test
# program instead, they would inherit its pipes and keep the test runner
# waiting for their end.
start_wineserver() {
  wineserver -p
  session_wineserver=$WINEPREFIX
  wineboot </dev/null >/dev/null 2>&1
}

# For the benchmarks: uses the display and prefix of DISPLAY and WINEPREFIX
# when both are set, keeping one wineserver for the run (one may be running
# already); starts a virtual display and the prefix DIR otherwise.
use_or_start_wine_session() {
  if [[ -n ${DISPLAY:-} && -n ${WINEPREFIX:-} ]]; then
    wineserver -p 2>/dev/null || true
    wineboot </dev/null >/dev/null 2>&1
  else
    start_virtual_display >/dev/null
    prepare_wine_prefix "$1"
    start_wineserver
  fi
}

end_wine_session() {
  if [[ -n $session_wineserver ]]; then
    WINEPREFIX=$session_wineserver wineserver -k 2>/dev/null || true
    WINEPREFIX=$session_wineserver wineserver -w 2>/dev/null || true
    session_wineserver=""
  fi
  if [[ -n $session_xvfb_pid ]]; then
    kill "$session_xvfb_pid" 2>/dev/null || true
    wait "$session_xvfb_pid" 2>/dev/null || true
    session_xvfb_pid=""
  fi
}
