#!/usr/bin/env bash
# Tab completion of tarvexc and tarvex: the words bash-completion offers for
# a few command lines, with the scripts loaded as bash-completion loads them.
#   completion_test.sh COMPLETION_DIR
set -euo pipefail
completions=$(cd "$1" && pwd)
bash_completion=/usr/share/bash-completion/bash_completion
[ -r "$bash_completion" ] || { echo "FAIL: $bash_completion missing (package bash-completion)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/files"
cd "$work/files"
touch a.inf B.INF c.bin d.txt
mkdir sub

failures=0
# expect WORDS EXPECTED: WORDS is the command line as bash splits it (a bash
# array's body, the last word the one being completed); EXPECTED the sorted
# completions.
expect() {
  local got
  got=$(BASH_COMPLETION_USER_DIR="$work/none" bash -c '
    source "$1"
    eval "COMP_WORDS=($2)"
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    # The line as typed: bash splits "--format=j" into "--format" "=" "j".
    COMP_LINE=${COMP_WORDS[*]}
    COMP_LINE=${COMP_LINE// = /=}
    COMP_POINT=${#COMP_LINE}
    # Load the command'\''s completion the way bash-completion does on the first Tab.
    _completion_loader "${COMP_WORDS[0]}" >/dev/null 2>&1
    spec=$(complete -p "${COMP_WORDS[0]}") || { echo "no completion for ${COMP_WORDS[0]}"; exit; }
    function=${spec#*-F }
    function=${function%% *}
    "$function" "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | tr "\n" " "
  ' _ "$bash_completion" "$1")
  got=${got% }
  if [ "$got" != "$2" ]; then
    echo "FAIL: ($1): got '$got', expected '$2'"
    failures=$((failures + 1))
  fi
}
# bash-completion looks for a command's script in the completions folder of
# each XDG data folder; point it at the scripts under test.
mkdir -p "$work/data/bash-completion"
ln -s "$completions" "$work/data/bash-completion/completions"
export XDG_DATA_DIRS="$work/data"

expect 'tarvexc ""' 'check convert generate lsp'
expect 'tarvexc ge' 'generate'
expect 'tarvexc -' '--help --keywords --version'
expect 'tarvexc --keywords ""' 'B.INF a.inf c.bin d.txt sub'
expect 'tarvexc --keywords d.txt ""' 'check convert generate lsp'
expect 'tarvexc generate ""' 'B.INF a.inf c.bin sub'
expect 'tarvexc check ""' 'B.INF a.inf sub'
expect 'tarvexc check -' '--all --format= --keywords'
expect 'tarvexc check --format ""' 'json text'
expect 'tarvexc check --format = j' 'json'
expect 'tarvexc convert ""' 'c.bin sub'
expect 'tarvexc convert c.bin -o ""' 'B.INF a.inf sub'
expect 'tarvexc convert -' '--output -o'
expect 'tarvexc lsp -' '--keywords'
expect 'tarvex ""' 'B.INF a.inf sub'
expect 'tarvex -' '--help --version -Unregister -p -pt'

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
