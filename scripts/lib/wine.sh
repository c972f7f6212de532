# Which Wine runs the Windows tests here: sourced by every script that runs
# a Windows program (scripts/test-windows and the Windows test wrappers).
#
# Debian's `wine` wrapper starts the 32-bit loader whenever wine32:i386 is
# installed, even for a 64-bit program, and some kernels run no 32-bit
# program at all ("32-bit emulation disabled"). So the choice is made by
# what runs, not by what is installed:
#
#   wine_choose EXE32 PREFIX32
#     Probes whether the 32-bit Windows program EXE32 runs (`EXE32 --help`
#     under the 32-bit loader, in the Wine prefix PREFIX32, within a time
#     limit), and else whether the 64-bit loader runs. Sets
#       WINE_TARGET  i686, x86_64 or none
#       WINE_LOADER  the loader to run programs and Wine's own tools with
#                    (wineboot, reg, start): "wine" or the 64-bit loader
#       WINE_WHY     why 32-bit is not tested (the probe's own error), or ""
#   wine_up PREFIX   starts Wine's server and services for PREFIX, outside
#                    any captured output, and stops them when the shell exits
#   wine_gui_up [TOOLS]
#                    after wine_up, a screen for Windows GUI programs: its own
#                    Xvfb on a free display (DISPLAY is exported), Wine's
#                    virtual desktop (window frames) with one explorer for the
#                    whole run, and the fonts of fonts-wine in the prefix.
#                    With TOOLS, the folder where tests/win32 builds its tools:
#                    a program that holds the desktop open between programs (no
#                    4-10 s desktop start for the next one) and a default
#                    printer on FILE:
#   wine_gui_down    stops those programs and that Xvfb (by their pids; only
#                    what wine_gui_up started), also when the shell exits.
#                    With TARVEX_GUI_KEEP=1 both stay up, and so does the
#                    server, and it prints how to reach and stop them.
#
# TARVEX_WINE32 and TARVEX_WINE64 name the two loaders (tests put fakes
# there); TARVEX_WINE_PROBE_SECONDS limits the 32-bit probe;
# TARVEX_GUI_SCREEN is the screen's size (1280x960).

wine_loader32() { echo "${TARVEX_WINE32:-/usr/lib/wine/wine}"; }
wine_loader64() { echo "${TARVEX_WINE64:-/usr/lib/wine/wine64}"; }

wine_choose() {
  local exe32=$1 prefix32=$2
  local loader32 loader64 seconds log status
  loader32=$(wine_loader32)
  loader64=$(wine_loader64)
  seconds=${TARVEX_WINE_PROBE_SECONDS:-120}
  WINE_TARGET=none WINE_LOADER="" WINE_WHY=""

  if [ ! -x "$loader32" ]; then
    WINE_WHY="32-bit Wine is not installed ($loader32 is missing)"
  else
    mkdir -p "$prefix32"
    log=$(mktemp)
    # Output goes to a file, not a pipe: Wine's services, started by the
    # first run in a new prefix, would hold a pipe open.
    status=0
    WINEPREFIX=$prefix32 WINEDEBUG=-all WINELOADER=$loader32 \
      timeout -k 5 "$seconds" "$loader32" "$exe32" --help >"$log" 2>&1 </dev/null || status=$?
    if [ "$status" = 0 ] && grep -q 'Usage' "$log"; then
      WINE_TARGET=i686 WINE_LOADER=$loader32
      rm -f "$log"
      return 0
    fi
    if [ "$status" = 124 ] || [ "$status" = 137 ]; then
      WINE_WHY="the 32-bit probe did not answer within $seconds s"
    elif [ "$status" = 0 ]; then
      WINE_WHY="the 32-bit probe ran but printed no usage text"
    else
      # A probe that printed nothing still falls back (grep finding no line
      # must not end the calling script).
      WINE_WHY="the 32-bit probe failed with status $status: $({ grep -v '^\s*$' "$log" || true; } |
        head -n 3 | tr '\n' ' ' | sed 's/ *$//')"
    fi
    rm -f "$log"
  fi

  if [ -x "$loader64" ] && "$loader64" --version >/dev/null 2>&1; then
    WINE_TARGET=x86_64 WINE_LOADER=$loader64
  else
    WINE_WHY="$WINE_WHY; and no 64-bit Wine runs either ($loader64)"
  fi
  return 0
}

wine_up() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINELOADER=$WINE_LOADER
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$WINEPREFIX"
  # One server for the whole run (it exits 2 when one is already up), and
  # the services started before any run whose output is captured: a wine
  # process that starts them leaves them holding its output.
  trap _wine_exit EXIT
  _wine_boot
  # COM's RpcSs service (object activation) started with the prefix, not on
  # the first activation's demand.
  local rpcss='HKLM\System\CurrentControlSet\Services\RpcSs'
  if ! "$WINE_LOADER" reg query "$rpcss" /v Start 2>/dev/null | grep -q '0x2$'; then
    "$WINE_LOADER" reg add "$rpcss" /v Start /t REG_DWORD /d 2 /f >/dev/null 2>&1
    _wine_reboot
  fi
  _wine_one_service_manager
}

# The server up and the prefix booted. The first program a new server runs
# boots the prefix itself (wineboot --init, which starts services.exe) and
# waits for it; so the first program here is a harmless one. An explicit
# `wineboot -i` would start a second services.exe beside the first, with an
# RpcSs of its own: COM servers then register with one and clients ask the
# other, and activations fail with REGDB_E_CLASSNOTREG after 30 s.
_wine_boot() {
  wineserver -p 2>/dev/null || true
  "$WINE_LOADER" winepath -w "C:\\" >/dev/null 2>&1 || true
}

_wine_reboot() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  _wine_boot
}

# The number of services.exe processes the prefix's server runs.
_wine_service_managers() {
  "$WINE_LOADER" winedbg --command "info proc" 2>/dev/null | tr -d '\r' |
    grep -c "'services.exe'" || true
}

# Exactly one service manager, or a fresh boot once, or a loud warning: two
# make COM activation fail at random later on, far from the cause.
_wine_one_service_manager() {
  local count
  count=$(_wine_service_managers)
  [ "$count" = 1 ] && return 0
  echo "wine_up: the prefix runs $count services.exe processes; booting it again" >&2
  _wine_reboot
  count=$(_wine_service_managers)
  [ "$count" = 1 ] ||
    echo "wine_up: WARNING: still $count services.exe processes: COM activation may fail" >&2
}

_wine_exit() {
  wine_gui_down
  [ -n "${_wine_gui_kept:-}" ] || wineserver -k 2>/dev/null || true
}

wine_gui_up() {
  local tools=${1:-} screen=${TARVEX_GUI_SCREEN:-1280x960} started=$EPOCHREALTIME
  local log number="" i
  log=$WINEPREFIX/gui.log
  : >"$log"

  # Xvfb picks the first free display itself and writes its number to the
  # descriptor: others start their own Xvfb at the same time.
  local numberfile=$WINEPREFIX/gui.display
  rm -f "$numberfile"
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$numberfile" >>"$log" 2>&1 &
  _wine_gui_xvfb=$!
  for ((i = 0; i < 200; i++)); do
    number=$(head -n 1 "$numberfile" 2>/dev/null || true)
    [ -n "$number" ] && break
    kill -0 "$_wine_gui_xvfb" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$number" ]; then
    echo "wine_gui_up: Xvfb did not start: $(tail -n 3 "$log")" >&2
    kill "$_wine_gui_xvfb" 2>/dev/null || true
    _wine_gui_xvfb=""
    return 1
  fi
  _wine_gui_display=${DISPLAY-}
  export DISPLAY=:$number

  # Wine reads fonts-wine's fonts only from the prefix (Marlett draws the
  # caption buttons, Tahoma the dialogs).
  local fonts=$WINEPREFIX/drive_c/windows/Fonts font found=0
  mkdir -p "$fonts"
  while read -r font; do
    found=1
    [ -e "$fonts/${font##*/}" ] || ln -s "$font" "$fonts/"
  done < <(dpkg -L fonts-wine 2>/dev/null | grep -E '\.(ttf|fon)$')
  [ "$found" = 1 ] || echo "wine_gui_up: fonts-wine is not installed: dialogs lack their fonts" >&2
  # A fresh server, which reads the fonts afresh, and whose programs all see
  # the display: a console program run earlier (its conhost has a hidden
  # window) leaves an explorer without a display that owns the desktop, and
  # the explorer below would then give up.
  _wine_reboot
  _wine_one_service_manager

  # Without a window manager under Xvfb windows have no frames: Wine's
  # virtual desktop draws them, with one explorer for the whole run.
  local settings=$WINEPREFIX/gui-desktop.reg desktop=""
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="%s"\n' \
    "$screen" >"$settings"
  if ! "$WINE_LOADER" reg import "$settings" >>"$log" 2>&1; then
    echo "wine_gui_up: cannot set Wine's virtual desktop: $(tail -n 3 "$log")" >&2
    wine_gui_down
    return 1
  fi
  "$WINE_LOADER" "C:\\windows\\system32\\explorer.exe" "/desktop=Default,$screen" >>"$log" 2>&1 &
  # The loader's process may be a start.exe in front of the explorer (a
  # 32-bit loader starts the prefix's 64-bit explorer that way): the
  # explorer's own pid comes from its desktop window.
  _wine_gui_starter=$!
  for ((i = 0; i < 300; i++)); do
    desktop=$(xwininfo -root -children 2>/dev/null | awk '/"Default - Wine desktop"/ { print $1; exit }')
    [ -n "$desktop" ] && break
    sleep 0.1
  done
  _wine_gui_explorer=$(xprop -id "${desktop:-0}" _NET_WM_PID 2>/dev/null | awk '{ print $NF }' || true)
  if ! [[ "$_wine_gui_explorer" =~ ^[0-9]+$ ]]; then
    _wine_gui_explorer=""
    echo "wine_gui_up: Wine's desktop did not start: $(tail -n 3 "$log")" >&2
    wine_gui_down
    return 1
  fi

  if [ -n "$tools" ]; then
    # Wine closes a desktop a second after the last program on it ends (its
    # explorer does not count) and the next program waits seconds for a new
    # one: between two GUI tests other tests may run for many seconds.
    "$WINE_LOADER" "$tools/tarvex_desktop_holder.exe" >>"$log" 2>&1 &
    _wine_gui_holder=$!
    if ! "$WINE_LOADER" "$tools/tarvex_file_printer.exe" >>"$log" 2>&1; then
      echo "wine_gui_up: no printer: $(tail -n 3 "$log")" >&2
      wine_gui_down
      return 1
    fi
  fi
  awk -v d="$DISPLAY" -v s="$screen" -v p="${tools:+, a printer on FILE:}" \
    -v t0="$started" -v t1="$EPOCHREALTIME" \
    'BEGIN { printf "GUI environment on DISPLAY=%s: %s, Wine desktop%s (%.1f s)\n", d, s, p, t1 - t0 }'
}

wine_gui_down() {
  [ -n "${_wine_gui_xvfb:-}" ] || return 0
  if [ "${TARVEX_GUI_KEEP:-0}" = 1 ]; then
    _wine_gui_kept=1
    echo "TARVEX_GUI_KEEP=1: the GUI environment stays up. Look at it with"
    echo "  DISPLAY=$DISPLAY import -window root screen.png"
    echo "run a GUI test on it with"
    echo "  DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX $WINE_LOADER PROGRAM.exe --gtest_filter=..."
    echo "and stop it with"
    echo "  kill $_wine_gui_xvfb; WINEPREFIX=$WINEPREFIX wineserver -k"
    _wine_gui_xvfb=""
    return 0
  fi
  if [ -n "${_wine_gui_holder:-}" ]; then
    kill "$_wine_gui_holder" 2>/dev/null || true
    wait "$_wine_gui_holder" 2>/dev/null || true
    _wine_gui_holder=""
  fi
  if [ -n "${_wine_gui_explorer:-}" ]; then
    kill "$_wine_gui_explorer" 2>/dev/null || true
    _wine_gui_explorer=""
  fi
  if [ -n "${_wine_gui_starter:-}" ]; then
    kill "$_wine_gui_starter" 2>/dev/null || true
    wait "$_wine_gui_starter" 2>/dev/null || true
    _wine_gui_starter=""
  fi
  kill "$_wine_gui_xvfb" 2>/dev/null || true
  wait "$_wine_gui_xvfb" 2>/dev/null || true
  _wine_gui_xvfb=""
  if [ -n "${_wine_gui_display:-}" ]; then export DISPLAY=$_wine_gui_display; else unset DISPLAY; fi
}
