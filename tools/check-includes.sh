#!/usr/bin/env bash
# Checks the include rules of the source tree (default: src/ beside this script):
#   base/ includes nothing of the project outside base/;
#   no core folder includes a gui/ header;
#   no core folder but shell/ includes a shell/ header.
# The gui/ folders and app/ (the program's entry) may reach further.
# Prints one line a broken rule (file:line: rule) and exits 1 when any is broken.
set -uo pipefail
src=${1:-"$(dirname "$0")/../src"}
cd "$src" || { echo "check-includes: no folder $src" >&2; exit 2; }

broken=0
while IFS=: read -r file line text; do
  inc=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$text")
  dir=${file%%/*}
  case "$file" in */gui/* | app/*) continue ;; esac # the rules speak of the core; app/ is the entry
  rule=
  if [ "$dir" = base ] && [[ "$inc" == */* ]] && [[ "$inc" != base/* ]]; then
    rule="base/ includes only base/"
  elif [[ "$inc" == */gui/* || "$inc" == gui/* ]]; then
    rule="a core folder includes no gui/ header"
  elif [[ "$inc" == shell/* ]] && [ "$dir" != shell ]; then
    rule="only shell/ includes shell/ headers"
  fi
  if [ -n "$rule" ]; then
    echo "$file:$line: includes \"$inc\": $rule"
    broken=1
  fi
done < <(grep -rn -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' --include='*.h' --include='*.cpp' . | sed 's#^\./##')

[ "$broken" -eq 0 ] && echo "include rules hold"
exit "$broken"
