#!/usr/bin/env bash
# The Debian packages, made from a build tree by CPack and checked with
# Debian's own tools.
#   package_test.sh contents BUILD_DIR SOURCE_DIR VERSION
#     their files and dependencies (dpkg-deb), lintian, the metadata
#   package_test.sh install BUILD_DIR SOURCE_DIR VERSION
#     a real apt-get install into a throwaway copy of this system (an
#     overlay over / in a mount namespace of its own: needs root), the
#     programs, pages, completion and desktop files used there, then
#     apt-get remove, after which nothing of the packages may be left.
#     Exits 77 (skipped) when it cannot make the copy.
set -euo pipefail
mode=$1
build=$(cd "$2" && pwd)
source=$(cd "$3" && pwd)
version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
cli=$work/out/tarvexc_${version}_amd64.deb
editor=$work/out/tarvex_${version}_amd64.deb
[ -f "$cli" ] && [ -f "$editor" ] || fail "no $(basename "$cli") and $(basename "$editor"): $(ls "$work/out")"

cli_files="/usr/bin/tarvexc
/usr/share/bash-completion/completions/tarvexc
/usr/share/doc/tarvexc/changelog.gz
/usr/share/doc/tarvexc/copyright
/usr/share/man/man1/tarvexc.1.gz"
editor_files="/usr/bin/tarvex
/usr/share/applications/tarvex-embedding.desktop
/usr/share/applications/tarvex.desktop
/usr/share/bash-completion/completions/tarvex
/usr/share/doc/tarvex/changelog.gz
/usr/share/doc/tarvex/copyright
/usr/share/icons/hicolor/16x16/apps/tarvex.png
/usr/share/icons/hicolor/16x16/mimetypes/text-x-tarvex-policy.png
/usr/share/icons/hicolor/256x256/apps/tarvex.png
/usr/share/icons/hicolor/32x32/apps/tarvex.png
/usr/share/icons/hicolor/32x32/mimetypes/text-x-tarvex-policy.png
/usr/share/icons/hicolor/48x48/apps/tarvex.png
/usr/share/man/man1/tarvex.1.gz
/usr/share/metainfo/org.tarvex.Tarvex.metainfo.xml
/usr/share/mime/packages/tarvex.xml
/usr/share/tarvex/help/guide.css
/usr/share/tarvex/help/index.html"

if [ "$mode" = contents ]; then
  # Exactly the layout above: nothing of the build, nothing under /usr/local.
  files() { dpkg-deb -c "$1" | awk '{print $6}' | grep -v '/$' | sed 's|^\.||' | LC_ALL=C sort; }
  diff -u <(echo "$cli_files") <(files "$cli") || fail "files of tarvexc"
  diff -u <(echo "$editor_files") <(files "$editor") || fail "files of tarvex"

  for deb in "$cli" "$editor"; do
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "$deb: Version is not $version"
  done
  # Dependencies found from the binaries: the runtime libraries, never a
  # build tool or a development package.
  names() { dpkg-deb -f "$1" Depends | tr ',|' '\n\n' | sed 's/(.*//; s/ //g' | grep -v '^$'; }
  for deb in "$cli" "$editor"; do
    bad=$(names "$deb" | grep -E -- '-dev$|-dev-tools$|^(cmake|ninja-build|g\+\+|gcc|clang|build-essential|googletest|scdoc|pkgconf|lintian)$' || true)
    [ -z "$bad" ] || fail "$(basename "$deb") depends on build tools: $bad"
    grep -qx 'libc6' <<<"$(names "$deb")" || fail "$(basename "$deb") lacks libc6"
  done
  # tarvexc carries its C++ library inside (it starts faster so); the editor
  # shares Qt's.
  grep -qx 'libstdc++6' <<<"$(names "$editor")" || fail "$(basename "$editor") lacks libstdc++6"
  if grep -qi 'qt\|libx11\|libxcb' <<<"$(names "$cli")"; then fail "tarvexc depends on Qt or X11: $(names "$cli")"; fi
  for needed in libqt6widgets6 libqt6dbus6 libqscintilla2-qt6-15 libqt6svg6; do
    grep -qx "$needed" <<<"$(names "$editor")" || fail "tarvex does not depend on $needed: $(names "$editor")"
  done
  grep -qF "tarvexc (= $version)" <<<"$(dpkg-deb -f "$editor" Depends)" || fail "tarvex does not depend on this tarvexc"

  # (As root lintian says it would rather not be; that is all it says then.)
  lintian --fail-on error,warning "$cli" "$editor" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log"; fail "lintian"; }
  grep -v 'root privileges' "$work/lintian.log" || true

  # The metadata against the desktop entry and icons it names.
  for deb in "$cli" "$editor"; do dpkg-deb -x "$deb" "$work/tree"; done
  appstreamcli validate-tree --no-net --strict "$work/tree" || fail "appstreamcli validate-tree"
  echo "PASS"
  exit 0
fi

[ "$mode" = install ] || fail "unknown mode $mode"
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: installing the packages into a copy of this system needs root"
  exit 77
fi
mkdir -p "$work/upper" "$work/overlay-work" "$work/root"
if ! unshare -m sh -c "mount -t overlay tarvex-test -o lowerdir=/,upperdir='$work/upper',workdir='$work/overlay-work' '$work/root'" 2>"$work/mount.log"; then
  echo "SKIPPED: no overlay over / here: $(cat "$work/mount.log")"
  exit 77
fi

# Runs inside the copy, as root, with the packages at $debs.
cat >"$work/inside.sh" <<'INSIDE'
set -euo pipefail
fail() {
  echo "FAIL: $*"
  exit 1
}
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 XDG_DATA_DIRS=/usr/share GIO_USE_VFS=local
unset XDG_DATA_HOME DBUS_SESSION_BUS_ADDRESS
apt-get install -y --no-install-recommends "$cli" "$editor" >/tmp/apt-install.log 2>&1 ||
  { cat /tmp/apt-install.log; fail "apt-get install"; }

# The programs, with and without a display.
[ "$(/usr/bin/tarvexc --version)" = "tarvexc (Tarvex) $version" ] || fail "tarvexc --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/tarvex --version)" = "tarvex (Tarvex) $version" ] ||
  fail "tarvex --version without a display"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/tarvex --help)
grep -q '^Usage: tarvex' <<<"$help" || fail "tarvex --help"
cp -r "$examples" /tmp/examples
cd /tmp/examples
[ "$(/usr/bin/tarvexc generate policy.inf)" = "policy.bin file is generated successfully." ] || fail "generate"
[ -s policy.bin ] || fail "no policy.bin"
if /usr/bin/tarvexc generate faulty.inf 2>/dev/null; then fail "generate accepted faulty.inf"; fi

# Manual pages: found by man (dpkg's trigger indexed them) and rendered.
for page in tarvexc tarvex; do
  [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1.gz" ] || fail "man -w $page"
  grep -q "^SYNOPSIS" <<<"$(man -l "/usr/share/man/man1/$page.1.gz" 2>/tmp/man.err)" || fail "man -l $page"
  [ ! -s /tmp/man.err ] || { cat /tmp/man.err; fail "man -l $page warns"; }
done

# The desktop: entries valid, metadata valid, and after dpkg's triggers a
# .inf is a Tarvex document opened by Tarvex.
grep -q "exec '/usr/bin/tarvex'" /usr/share/applications/tarvex.desktop || fail "the menu entry does not start /usr/bin/tarvex"
desktop-file-validate /usr/share/applications/tarvex.desktop /usr/share/applications/tarvex-embedding.desktop ||
  fail "desktop-file-validate"
appstreamcli validate --no-net --strict /usr/share/metainfo/org.tarvex.Tarvex.metainfo.xml || fail "appstreamcli"
grep -qx '50:text/x-tarvex-policy:\*\.inf' /usr/share/mime/globs2 || fail "*.inf not in the MIME database"
grep -q 'content-type: text/x-tarvex-policy' <<<"$(gio info -a standard::content-type /tmp/examples/policy.inf)" ||
  fail "gio does not know policy.inf as a Tarvex document"
grep -q "^Default application for .*tarvex.desktop" <<<"$(gio mime text/x-tarvex-policy)" ||
  { gio mime text/x-tarvex-policy; fail "tarvex.desktop is not the default for .inf"; }

# Completion, found by bash-completion's loader.
for program in tarvexc tarvex; do
  compspec=$(bash -c "source /usr/share/bash-completion/bash_completion; _completion_loader $program; complete -p $program")
  grep -q -- "-F _$program $program" <<<"$compspec" || fail "no completion for $program"
done

# A user's first start still writes the per-user registration.
mkdir -p /tmp/home
HOME=/tmp/home QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/home /usr/bin/tarvex >/tmp/editor.log 2>&1 &
editor_pid=$!
entry=/tmp/home/.local/share/applications/tarvex.desktop
for _ in $(seq 100); do
  [ -s "$entry" ] && break
  sleep 0.2
done
kill "$editor_pid" 2>/dev/null || true
wait "$editor_pid" 2>/dev/null || true
grep -q "exec '/usr/bin/tarvex'" "$entry" || { cat /tmp/editor.log; fail "no per-user registration"; }

apt-get remove -y tarvex tarvexc >/tmp/apt-remove.log 2>&1 || { cat /tmp/apt-remove.log; fail "apt-get remove"; }
if grep -q tarvex /usr/share/mime/globs2 /usr/share/applications/mimeinfo.cache; then fail "the desktop still knows Tarvex"; fi
if man -w tarvexc >/dev/null 2>&1; then fail "man still finds tarvexc"; fi
INSIDE

unshare -m bash -s <<EOF || fail "inside the copy"
set -euo pipefail
mount -t overlay tarvex-test -o lowerdir=/,upperdir='$work/upper',workdir='$work/overlay-work' '$work/root'
mount --rbind /dev '$work/root/dev'
mount --rbind /proc '$work/root/proc'
chroot '$work/root' env cli='$cli' editor='$editor' version='$version' examples='$source/examples' \
  bash '$work/inside.sh'
EOF

# What the copy changed: after the removal nothing of the packages may
# remain but dpkg's and apt's own records, the test's own files, and
# man-db's index, whose trigger never purges (its daily job does; man
# itself no longer finds the pages, as checked above).
left=$(cd "$work/upper" && find . \( -path ./tmp -o -path ./var/lib/dpkg -o -path ./var/log -o -path ./var/cache/apt \
  -o -path ./var/cache/man -o -path ./root \) -prune -o -type f -print0 | xargs -0r grep -l -i tarvex || true)
[ -z "$left" ] || fail "left behind: $left"
left=$(cd "$work/upper" && find . -path ./tmp -prune -o -iname '*tarvex*' -print | grep -v '^\./var/lib/dpkg/' || true)
[ -z "$left" ] || fail "left behind: $left"
echo "PASS"
