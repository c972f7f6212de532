#!/usr/bin/env bash
# The Windows installer under Wine, silently, as an administrator deploying
# it would run it:
#   installer_test.sh WINE_LOADER SETUP_EXE CONTAINER_TEST_EXE BUILT_TARVEX_EXE
# Installed with tarvexc on the PATH: files, Start menu, Apps & features,
# the registrations; one object served by the installed tarvex.exe for a
# container in a folder without keyword.txt; then uninstalled silently:
# nothing left, ".inf" Windows' own again. Exit 77 (skipped) when the
# installer has not been built (scripts/package-windows).
set -uo pipefail
wine=$1
setup=$2
container=$3
built=$4
clsid='{4A1E6C2B-7D3F-4C55-9A61-2F0B8E5D1C47}'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvex'
environment_key='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
if [ ! -f "$setup" ]; then
  echo "no installer at $setup: run scripts/package-windows first"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../registry_query.sh"
unix() { "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

"$wine" "$built" /Unregister /Embedding </dev/null >/dev/null 2>&1
windows_owns_inf

# --- install, silently, with tarvexc on the PATH
"$wine" "$setup" /S /PATH </dev/null >/dev/null 2>&1 || fail "setup /S: status $?"
location=$(value "$uninstall_key" InstallLocation)
[ "$location" != "(missing)" ] || { echo "FAILED: no uninstall entry"; exit 1; }
dir=$(unix "$location")
for file in tarvex.exe tarvexc.exe keyword.txt uninstall.exe help/index.html help/guide.css \
  examples/keyword.txt examples/policy.inf examples/faulty.inf examples/peer.key; do
  [ -f "$dir/$file" ] || fail "not installed: $file"
done
shortcut=$(unix 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tarvex\Tarvex.lnk')
[ -f "$shortcut" ] || fail "no Start-menu entry"
version=${setup##*/tarvex-setup-}
version=${version%.exe}
version=${version%-x64}
[ "$(value "$uninstall_key" DisplayName)" = "Tarvex $version" ] ||
  fail "name in Apps & features: $(value "$uninstall_key" DisplayName)"
[ "$(value "$uninstall_key" QuietUninstallString)" = "\"$location\\uninstall.exe\" /S" ] ||
  fail "quiet uninstall: $(value "$uninstall_key" QuietUninstallString)"
for view in 32 64; do
  [ "$(value "HKCR\\CLSID\\$clsid\\LocalServer32" "" $view)" = "\"$location\\tarvex.exe\"" ] ||
    fail "server ($view): $(value "HKCR\\CLSID\\$clsid\\LocalServer32" "" $view)"
  [ "$(value 'HKCR\Tarvex.Document\shell\open\command' "" $view)" = \
    "\"$location\\tarvex.exe\" \"%1\"" ] || fail "open command ($view)"
  [ "$(value 'HKCR\.inf' "" $view)" = inffile ] || fail ".inf taken over ($view)"
  [ "$(value 'HKCR\.inf\OpenWithProgids' Tarvex.Document $view)" = "" ] || fail "no Open with ($view)"
done
case ";$(value "$environment_key" Path);" in
  *";$location;"*) ;;
  *) fail "tarvexc not on the PATH: $(value "$environment_key" Path)" ;;
esac

# --- one object of the installed server, for a container where no
# keyword.txt is: the server reads the one beside it
mkdir -p "$work/no-dictionary"
files=$("$wine" winepath -w "$work" 2>/dev/null | tr -d '\r')
if ! (cd "$work/no-dictionary" && TARVEX_OLE_NO_REGISTER=1 TARVEX_OLE_FILES="$files" "$wine" "$container" \
  --gtest_filter=OleContainerTest.StoredBytesComeBackExactly >"$work/container.log" 2>&1); then
  fail "the installed server did not serve an object: $(grep -A3 Failure "$work/container.log")"
  # What was running then, and what the screen showed (a box the server
  # waits on, say).
  echo "the prefix's processes then:"
  "$wine" winedbg --command "info proc" 2>/dev/null | tr -d '\r'
  if [ -n "${TARVEX_GUI_SHOTS:-}" ] && command -v import >/dev/null; then
    shot=$("$wine" winepath -u "$TARVEX_GUI_SHOTS" 2>/dev/null | tr -d '\r')/windows_installer.png
    import -window root "$shot" 2>/dev/null && echo "the screen then: $shot"
  fi
elif ! grep -q 'PASSED.*1 test' "$work/container.log"; then
  fail "the container ran no test: $(tail -n 3 "$work/container.log")"
fi

# --- uninstall, silently: the uninstaller hands over to a copy of itself
# and returns at once, so wait until it is done
"$wine" "$dir/uninstall.exe" /S </dev/null >/dev/null 2>&1
for ((i = 0; i < 300; i++)); do
  [ ! -e "$dir" ] && [ "$(value "$uninstall_key" InstallLocation)" = "(missing)" ] && break
  sleep 0.1
done
[ ! -e "$dir" ] || fail "left behind: $(cd "$dir" && find . | tr '\n' ' ')"
[ ! -e "$shortcut" ] && [ ! -e "${shortcut%/*}" ] || fail "Start-menu entry left"
[ "$(value "$uninstall_key" InstallLocation)" = "(missing)" ] || fail "Apps & features entry left"
for view in 32 64; do
  [ "$(value "HKCR\\CLSID\\$clsid" "" $view)" = "(missing)" ] || fail "class left ($view)"
  [ "$(value 'HKCR\Tarvex.Document' "" $view)" = "(missing)" ] || fail "type id left ($view)"
  [ "$(value 'HKCR\.inf' "" $view)" = inffile ] || fail ".inf not Windows' own ($view)"
  [ "$(value 'HKCR\.inf\OpenWithProgids' Tarvex.Document $view)" = "(missing)" ] ||
    fail "Open with left ($view)"
done
case ";$(value "$environment_key" Path);" in
  *";$location;"*) fail "tarvexc left on the PATH" ;;
esac
[ "$(value 'HKCU\Software\Local AppWizard-Generated Applications\Tarvex')" = "(missing)" ] ||
  fail "settings left"

# The stage's other tests expect the built Tarvex registered.
"$wine" "$built" /Register </dev/null >/dev/null 2>&1
if [ "$failures" -gt 0 ]; then
  echo "$failures installer checks failed"
  exit 1
fi
echo "installed silently (files, Start menu, Apps & features, registrations, PATH), served an object, uninstalled: nothing left"
