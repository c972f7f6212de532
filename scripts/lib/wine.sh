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
#
# TARVEX_WINE32 and TARVEX_WINE64 name the two loaders (tests put fakes
# there); TARVEX_WINE_PROBE_SECONDS limits the 32-bit probe.

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
      WINE_WHY="the 32-bit probe failed with status $status: $(grep -v '^\s*$' "$log" | head -n 3 |
        tr '\n' ' ' | sed 's/ *$//')"
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
  wineserver -p 2>/dev/null || true
  trap 'wineserver -k 2>/dev/null || true' EXIT
  "$WINE_LOADER" wineboot -i >/dev/null 2>&1
}
