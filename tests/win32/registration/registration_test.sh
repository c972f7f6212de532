#!/usr/bin/env bash
# tarvex.exe's registry entries as Windows' own `reg` sees them, in the Wine
# prefix of the Windows stage (a process there counts as elevated, so the
# entries are the machine's):
#   registration_test.sh WINE_LOADER TARVEX_EXE
# Fresh, registered, registered twice, ".inf" owned by "inffile" and by
# nobody, and unregistered: each time in both registry views.
set -uo pipefail
wine=$1
exe=$2
clsid='{4A1E6C2B-7D3F-4C55-9A61-2F0B8E5D1C47}'
work=$(mktemp -d)
source "$(dirname "$0")/../registry_query.sh"
# The prefix is the stage's, kept between runs: ".inf" goes back to Windows'
# own owner however this run ends.
trap 'windows_owns_inf; rm -rf "$work"' EXIT

tarvex() {
  "$wine" "$exe" "$@" </dev/null >/dev/null 2>&1
}

expect() {
  local what=$1 got=$2 want=$3
  [ "$got" = "$want" ] || fail "$what: got [$got], want [$want]"
}

# Everything Tarvex may touch, in both views, as text to compare.
snapshot() {
  local view key
  for view in 32 64; do
    for key in 'HKCR\.inf' 'HKCR\Tarvex.Document' "HKCR\\CLSID\\$clsid"; do
      echo "== $key /reg:$view"
      "$wine" reg query "$key" /s "/reg:$view" 2>&1 | tr -d '\r' | grep -v '^$'
    done
  done
}

# --- fresh: nothing of Tarvex's, ".inf" Windows' own
tarvex /Unregister /Embedding || fail "/Unregister /Embedding: status $?"
windows_owns_inf
for view in 32 64; do
  expect "fresh: type id ($view)" "$(value 'HKCR\Tarvex.Document' "" $view)" "(missing)"
  expect "fresh: class ($view)" "$(value "HKCR\\CLSID\\$clsid" "" $view)" "(missing)"
  expect "fresh: .inf ($view)" "$(value 'HKCR\.inf' "" $view)" "inffile"
  expect "fresh: Open with ($view)" \
    "$(value 'HKCR\.inf\OpenWithProgids' Tarvex.Document $view)" "(missing)"
done
snapshot >"$work/fresh"

# --- registered: what containers and the desktop read, in both views
tarvex /Register || fail "/Register: status $?"
winexe=$("$wine" winepath -w "$exe" 2>/dev/null | tr -d '\r')
[ -n "$winexe" ] || winexe=$exe
for view in 32 64; do
  c="HKCR\\CLSID\\$clsid"
  expect "class ($view)" "$(value "$c" "" $view)" "Tarvex Document"
  expect "LocalServer32 ($view)" "$(value "$c\\LocalServer32" "" $view)" "\"$winexe\""
  expect "InprocHandler32 ($view)" "$(value "$c\\InprocHandler32" "" $view)" "ole32.dll"
  expect "ProgID ($view)" "$(value "$c\\ProgID" "" $view)" "Tarvex.Document"
  expect "verb 0 ($view)" "$(value "$c\\Verb\\0" "" $view)" "&Edit,0,2"
  expect "verb 1 ($view)" "$(value "$c\\Verb\\1" "" $view)" "&Open,0,2"
  expect "MiscStatus ($view)" "$(value "$c\\MiscStatus" "" $view)" "32"
  expect "Insertable ($view)" "$(value "$c\\Insertable" "" $view)" ""
  expect "type id ($view)" "$(value 'HKCR\Tarvex.Document' "" $view)" "Tarvex Document"
  expect "type's class ($view)" "$(value 'HKCR\Tarvex.Document\CLSID' "" $view)" "$clsid"
  expect "open ($view)" "$(value 'HKCR\Tarvex.Document\shell\open\command' "" $view)" \
    "\"$winexe\" \"%1\""
  expect "print ($view)" "$(value 'HKCR\Tarvex.Document\shell\print\command' "" $view)" \
    "\"$winexe\" /p \"%1\""
  expect "icon ($view)" "$(value 'HKCR\Tarvex.Document\DefaultIcon' "" $view)" "$winexe,1"
  expect ".inf keeps its owner ($view)" "$(value 'HKCR\.inf' "" $view)" "inffile"
  expect "Open with ($view)" "$(value 'HKCR\.inf\OpenWithProgids' Tarvex.Document $view)" ""
  expect "no ShellNew ($view)" "$(value 'HKCR\.inf\ShellNew' NullFile $view)" "(missing)"
done
snapshot >"$work/once"

# --- twice: the same entries, no message (the exit status says it)
tarvex /Register || fail "second /Register: status $?"
snapshot >"$work/twice"
cmp -s "$work/once" "$work/twice" || fail "registering twice changed: $(diff "$work/once" "$work/twice")"

# --- unregistered: exactly as fresh
tarvex /Unregister /Embedding || fail "/Unregister /Embedding: status $?"
snapshot >"$work/removed"
cmp -s "$work/fresh" "$work/removed" ||
  fail "unregistering left: $(diff "$work/fresh" "$work/removed")"

# --- ".inf" without an owner: claimed, with an empty document to create,
# and given back exactly
for view in 32 64; do "$wine" reg delete 'HKCR\.inf' /ve /f "/reg:$view" >/dev/null 2>&1; done
snapshot >"$work/unowned"
tarvex /Register || fail "/Register on an unowned .inf: status $?"
for view in 32 64; do
  expect ".inf claimed ($view)" "$(value 'HKCR\.inf' "" $view)" "Tarvex.Document"
  expect "ShellNew ($view)" "$(value 'HKCR\.inf\ShellNew' NullFile $view)" ""
done
tarvex /Unregister /Embedding || fail "/Unregister after claiming .inf: status $?"
snapshot >"$work/given-back"
cmp -s "$work/unowned" "$work/given-back" ||
  fail ".inf not given back exactly: $(diff "$work/unowned" "$work/given-back")"
windows_owns_inf
snapshot >"$work/restored"
cmp -s "$work/fresh" "$work/restored" || fail "the prefix's .inf could not be put back"

# The stage's other tests expect Tarvex registered, as any start leaves it.
tarvex /Register || fail "final /Register: status $?"
if [ "$failures" -gt 0 ]; then
  echo "$failures registry checks failed"
  exit 1
fi
echo "registry entries: fresh, registered (twice), .inf owned and unowned, removed: all as expected"
