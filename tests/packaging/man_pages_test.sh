#!/usr/bin/env bash
# The manual pages render, have the sections a reader looks for, and keep
# in step with --help: every option, command and environment variable that
# --help names is in the page.
#   man_pages_test.sh BIN_DIR MAN_DIR
set -euo pipefail
bin=$1
man_dir=$2
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for program in tarvexc tarvex; do
  page=$man_dir/$program.1.gz
  text=$(MANWIDTH=100 man --nh --nj --warnings -l "$page" 2>"$man_dir/$program.warnings") ||
    { fail "$program: man -l failed"; continue; }
  if [ -s "$man_dir/$program.warnings" ]; then fail "$program: man warns: $(cat "$man_dir/$program.warnings")"; fi
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' ENVIRONMENT FILES EXAMPLES 'SEE ALSO'; do
    grep -qx "$section" <<<"$text" || fail "$program: no section $section"
  done

  help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" --help)
  options=$(grep -oE -- '(^|[^A-Za-z0-9-])--?[A-Za-z][A-Za-z-]*' <<<"$help" | sed 's/^[^-]*//' | sort -u)
  commands=$(sed -n '/^Commands:/,/^$/p' <<<"$help" | grep -oE '^  [a-z]+' | sort -u || true)
  variables=$(grep -oE '\$[A-Z_]+' <<<"$help" | tr -d '$' | sort -u || true)
  [ -n "$options" ] || fail "$program: no options found in --help"
  for word in $options $commands $variables; do
    grep -qE -- "(^|[^A-Za-z0-9-])$word([^A-Za-z0-9-]|$)" <<<"$text" || fail "$program: --help names $word, the page does not"
  done
done
[ "$failures" -eq 0 ] || exit 1
echo "PASS"
