#!/bin/sh
# Runs container_test.py on its own session bus and X display:
#   run_container_test.sh TARVEX KEYWORD_TXT
set -eu
here=$(dirname "$0")
export NO_AT_BRIDGE=1  # no accessibility bus for the test's GTK
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" \
  /usr/bin/python3 "$here/container_test.py" "$1" "$2"
