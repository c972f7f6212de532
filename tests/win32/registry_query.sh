# Helpers of the Windows tests that read the registry through Windows' own
# `reg` (sourced; the caller sets `wine`, the loader, and `work`, a folder).

failures=0

# Counts and reports a failed check.
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# The default value of KEY (or its value NAME), as `reg` shows it, in the
# registry view VIEW (32 or 64; the loader's own when empty); "(missing)"
# when the key or the value is not there.
value() {
  local key=$1 name=${2:-} view=${3:-}
  local args=(/ve)
  [ -n "$name" ] && args=(/v "$name")
  [ -n "$view" ] && args+=("/reg:$view")
  if "$wine" reg query "$key" "${args[@]}" >"$work/value" 2>/dev/null; then
    tr -d '\r' <"$work/value" | sed -n 's/^ *\(([^)]*)\|[^ ]\+\) \+REG_[A-Z_]\+ *//p' | head -n 1
  else
    echo "(missing)"
  fi
}

# ".inf" as Windows ships it, in both registry views: the Setup Information
# files ("inffile") own it. A 64-bit prefix booted without its 32-bit half
# has no ".inf" in the 32-bit view, and Tarvex would rightly claim it there.
windows_owns_inf() {
  local view
  for view in 32 64; do
    "$wine" reg add 'HKCR\.inf' /ve /d inffile /f "/reg:$view" >/dev/null 2>&1
  done
}
