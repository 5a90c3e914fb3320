# The checks the hostsim.exe scripts share (sourced): counters, and conditions on the
# files and on the last output ($out).
failures=0 passed=0

# check LABEL CONDITION...: counts the condition (a command) as passed or failed.
check() {
  local label=$1
  shift
  if "$@"; then
    echo "ok: $label"
    passed=$((passed + 1))
  else
    echo "FAILED: $label"
    failures=$((failures + 1))
  fi
}

# differ A B: whether the two files differ.
differ() { ! cmp -s "$1" "$2"; }

# said PATTERN: whether a line of the last output matches PATTERN (else it is shown).
said() { grep -qE -- "$1" <<<"$out" || { sed 's/^/    /' <<<"$out"; false; }; }
