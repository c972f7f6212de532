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
