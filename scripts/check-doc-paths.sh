#!/usr/bin/env bash
# Fails, naming each one, when README.md or docs/*.md names a path or an option that
# the tree does not have.
#
# What is checked, in the text of code spans (`...`) and of indented code blocks:
# - a word that begins with one of the tree's top-level entries (git ls-files: host/,
#   scripts/, README.md ...) followed by "/" or alone is a path in the tree and must
#   exist; a part holding a placeholder or a pattern (<name>, *, ..., [, ]) ends it, and
#   what comes before must exist. Every other word is a runtime path or a name the
#   programs make (build/..., kopie/..., /tmp/..., C:\..., MMM1.MGR, INFO.TXT) and is
#   not checked: build/ is in no commit, so it is no top-level entry;
# - a bare file name ending in .cpp, .h, .S, .inc or .sh must be the name of a file
#   somewhere in the tree;
# - an option (--name) must be written in the program it follows: the tree's script
#   last named before it, or else hostsim.exe's or goodstool's source or any script of
#   the tree; the options after cmake or ctest are those tools' own.
# And every relative link target, [text](target), must exist beside the document.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

docs=(README.md docs/*.md)
mapfile -t files < <(git ls-files)
declare -A top names
for f in "${files[@]}"; do top[${f%%/*}]=1; names[${f##*/}]=1; done
option_sources=(hostsim/win32/main.cpp tools/goods_tool.cpp scripts/*.sh bench/*.sh fuzz/*.sh)

bad=0
fail() { echo "$1: $2" >&2; bad=1; }

check_path() {  # doc word
  local w=$1 p=
  local -a parts
  IFS=/ read -ra parts <<<"$w"
  for part in "${parts[@]}"; do
    [[ $part == *[\<\*\[\]]* || $part == *...* ]] && break
    p+=${p:+/}$part
  done
  [ -e "$p" ] || fail "$2" "no such path in the tree: $w"
}

check_option() {  # option program doc
  local o=$1 program=$2
  [[ $program == cmake || $program == ctest ]] && return
  if [ -n "$program" ]; then
    grep -qwe "$o" -- "$program" || fail "$3" "$program has no option $o"
  else
    grep -qwe "$o" -- "${option_sources[@]}" ||
      fail "$3" "no program of the tree has the option $o"
  fi
}

check_text() {  # text doc: one code span or one code block line
  local -a words
  read -ra words <<<"$1"
  local program= w first
  for w in "${words[@]}"; do
    w=${w#[\(\"\']}; w=${w%[,;:.\)\"\']}
    first=${w%%/*}
    if [[ $w =~ ^--[a-z][a-z0-9-]*([=].*)?$ ]]; then
      check_option "${w%%=*}" "$program" "$2"
    elif [[ -n $first && -n ${top[$first]:-} ]] && [[ $w == */* || $w == "$first" ]]; then
      check_path "$w" "$2"
      [[ $w == *.sh ]] && program=$w
    elif [[ $w =~ ^[A-Za-z0-9_.-]+\.(cpp|h|S|inc|sh)$ ]]; then
      [ -n "${names[$w]:-}" ] || fail "$2" "no file of that name in the tree: $w"
    fi
    case $w in
      cmake | ctest) program=$w ;;
      *hostsim.exe | *goodstool | *goodstool.exe) program= ;;
    esac
  done
}

for doc in "${docs[@]}"; do
  while IFS= read -r span; do
    check_text "${span//\`/}" "$doc"
  done < <(grep -o '`[^`]*`' "$doc")
  while IFS= read -r line; do
    check_text "$line" "$doc"
  done < <(grep -E '^    ' "$doc" | grep -v '^ *[-|]')
  while IFS= read -r target; do
    target=${target#](}; target=${target%)}; target=${target%%#*}
    [[ -z $target || $target == *://* ]] && continue
    [ -e "$(dirname "$doc")/$target" ] || fail "$doc" "link to a missing file: $target"
  done < <(grep -o '](\([^)]*\))' "$doc")
done
exit $bad
