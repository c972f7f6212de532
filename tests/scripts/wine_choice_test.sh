#!/usr/bin/env bash
# The Windows stage's choice of Wine (scripts/lib/wine.sh), made with fake
# loaders: which Windows gets tested, with which loader, and what it says
# when 32-bit programs cannot run.
set -uo pipefail
top=$1
source "$top/scripts/lib/wine.sh"
sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT

# fake NAME BODY: a loader script whose body gets the program's arguments.
fake() {
  printf '#!/bin/sh\n%s\n' "$2" >"$sandbox/$1"
  chmod +x "$sandbox/$1"
}
fake runs32 'echo "Usage: tarvexc [--keywords PATH] generate FILE"'
fake noexec32 'echo "/usr/bin/wine: 40: exec: /usr/lib/wine/wine: Exec format error" >&2; exit 126'
fake silent32 'exit 0'
fake hangs32 'exec sleep 30'
fake runs64 'echo wine-8.0'
fake fails64 'exit 126'

failures=0
# case | 32-bit loader | 64-bit loader | target | loader | words the reason must hold
while IFS='|' read -r name l32 l64 target loader why; do
  # Under errexit, as scripts/test-windows calls it.
  set -e
  TARVEX_WINE32=$sandbox/$l32 TARVEX_WINE64=$sandbox/$l64 TARVEX_WINE_PROBE_SECONDS=1 \
    wine_choose "$sandbox/tarvexc.exe" "$sandbox/prefix"
  set +e
  expected_loader=${loader:+$sandbox/$loader}
  if [ "$WINE_TARGET" != "$target" ] || [ "$WINE_LOADER" != "$expected_loader" ] ||
    { [ -z "$why" ] && [ -n "$WINE_WHY" ]; } || ! grep -qF -- "$why" <<<"$WINE_WHY"; then
    echo "FAIL $name: got target=$WINE_TARGET loader=$WINE_LOADER why=[$WINE_WHY]"
    failures=$((failures + 1))
  else
    echo "ok   $name: $WINE_TARGET [$WINE_WHY]"
  fi
done <<'CASES'
32-bit runs|runs32|runs64|i686|runs32|
32-bit runs, no 64-bit|runs32|absent|i686|runs32|
kernel without 32-bit|noexec32|runs64|x86_64|runs64|Exec format error
no wine32 installed|absent|runs64|x86_64|runs64|32-bit Wine is not installed
32-bit answers nothing|silent32|runs64|x86_64|runs64|printed no usage text
32-bit hangs|hangs32|runs64|x86_64|runs64|did not answer within 1 s
32-bit fails saying nothing|fails64|runs64|x86_64|runs64|failed with status 126
no Wine at all|absent|absent|none||no 64-bit Wine runs
neither runs|noexec32|fails64|none||Exec format error
CASES
# Booting the prefix: one service manager, never a second one. The fake
# loader logs its commands and reports the services.exe processes listed in
# the file "managers", one line per listing (the last line repeats).
mkdir -p "$sandbox/bin"
printf '#!/bin/sh\necho "wineserver $*" >>"%s/log"\n' "$sandbox" >"$sandbox/bin/wineserver"
chmod +x "$sandbox/bin/wineserver"
fake boot64 "echo \"\$*\" >>$sandbox/log
case \"\$1\" in
  reg) echo '    Start    REG_DWORD    0x2' ;;
  winedbg) n=\$(head -n 1 $sandbox/managers); [ \$(wc -l <$sandbox/managers) -gt 1 ] && sed -i 1d $sandbox/managers
    i=0; while [ \$i -lt \$n ]; do echo \" 00000038 8        'services.exe'\"; i=\$((i + 1)); done ;;
esac"
# case | services.exe per listing | reboots | words on stderr
while IFS='|' read -r name managers reboots says; do
  : >"$sandbox/log"
  tr ' ' '\n' <<<"$managers" >"$sandbox/managers"
  (
    trap - EXIT
    WINE_LOADER=$sandbox/boot64 PATH=$sandbox/bin:$PATH
    wine_up "$sandbox/prefix" 2>"$sandbox/stderr"
    trap - EXIT
  )
  got=$(grep -c '^wineserver -k' "$sandbox/log")
  if grep -qE 'wineboot.*(-i|--init)' "$sandbox/log" || [ "$got" != "$reboots" ] ||
    { [ -z "$says" ] && [ -s "$sandbox/stderr" ]; } ||
    { [ -n "$says" ] && ! grep -qF -- "$says" "$sandbox/stderr"; }; then
    echo "FAIL boot, $name: $got reboots, said [$(cat "$sandbox/stderr")], ran:"
    sed 's/^/  /' "$sandbox/log"
    failures=$((failures + 1))
  else
    echo "ok   boot, $name"
  fi
done <<'CASES'
one manager|1|0|
two managers, one after a reboot|2 1|1|runs 2 services.exe processes
two that stay two|2|1|WARNING: still 2
CASES

[ "$failures" = 0 ] && echo PASS
exit "$failures"
