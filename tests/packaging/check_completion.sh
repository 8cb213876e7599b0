#!/usr/bin/env bash
# Completes command lines with zento-calc's bash completion as bash does on Tab, with the
# zento-calc in the given folder answering the completion's questions.
set -o pipefail
completion=$1
PATH="$(cd "$2" && pwd):$PATH"
source /usr/share/bash-completion/bash_completion
source "$completion"

passed=0 failed=0
expect() {  # expect WHAT ACTUAL EXPECTED
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL: %s\n  expected: %s\n  got:      %s\n' "$1" "$3" "$2"
  fi
}

# Completes the last of the words (as bash splits them: '=' is a word of its own) and prints
# the offers sorted, one a line. A word may not hold a space.
offers() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_LINE=${COMP_LINE// = /=}
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _zento_calc 2>/dev/null
  printf '%s\n' "${COMPREPLY[@]}" | sort
}
lines() { printf '%s\n' "$@"; }

expect "complete -p" "$(complete -p zento-calc)" "complete -F _zento_calc zento-calc"

while IFS='|' read -r line want; do
  read -ra words <<<"$line"
  [[ $line == *' ' ]] && words+=("")
  IFS=';' read -ra wanted <<<"$want"
  expect "$line" "$(offers "${words[@]}")" "$(lines "${wanted[@]}" | sort)"
done <<'CASES'
zento-calc --freq|--frequency
zento-calc --cable rg-21|RG-213/214/215/216\ Coaxial
zento-calc --cable "1/2|1/2\" 50 Ohm Hardline;1/2\" 75 Ohm Hardline
zento-calc --cable 'open|Open Wire, "Window" Line, 1/2" & 1";Open Wire, #12 Wires
zento-calc --antenna yagi-1|yagi-10;yagi-17
zento-calc --mode SSB-|ssb-processed
zento-calc --bands 40m,2|40m,20m;40m,23cm;40m,2m
zento-calc --bands 4|40m
zento-calc --rules icnirp-2020 --bands 4|40m;4m
zento-calc --rules c|canada-sc6
zento-calc --format = j|json
zento-calc --length-units m|meters
zento-calc --power |
CASES

# Every cable offered, read back as the shell reads it, is one zento-calc knows.
mapfile -t cables < <(offers zento-calc --cable "")
expect "cables offered" "${#cables[@]}" "$(zento-calc --list-cables | wc -l)"
for offer in "${cables[@]}"; do
  eval "name=$offer"
  zento-calc --cable "$name" >/dev/null || expect "zento-calc --cable $offer" "refused" "accepted"
done

# Station files and folders, nothing else.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/old" && touch "$scratch/home.zento.json" "$scratch/notes.txt"
expect "--station in a folder" "$(cd "$scratch" && offers zento-calc --station "")" "$(lines home.zento.json old)"

echo "bash completion: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
