#!/usr/bin/env bash
# Checks the include rules of the source tree (default: src/ beside this script):
#   base/ includes nothing of the project outside base/;
#   widgets/ (the widget helpers) includes only base/ and widgets/;
#   no core folder includes a gui/ header;
#   no core folder but shell/ includes a shell/ header;
#   a subsystem's gui/ includes no other subsystem's gui/ (the shell's gui
#   builds the windows of all, and app/ is the program's entry).
# Prints one line a broken rule (file:line: rule) and exits 1 when any is broken.
set -uo pipefail
src=${1:-"$(dirname "$0")/../src"}
cd "$src" || { echo "check-includes: no folder $src" >&2; exit 2; }

broken=0
while IFS=: read -r file line text; do
  inc=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$text")
  dir=${file%%/*}
  [ "$dir" = app ] && continue
  rule=
  if [ "$dir" = base ] && [[ "$inc" == */* ]] && [[ "$inc" != base/* ]]; then
    rule="base/ includes only base/"
  elif [ "$dir" = widgets ] && [[ "$inc" == */* ]] && [[ "$inc" != base/* && "$inc" != widgets/* ]]; then
    rule="widgets/ includes only base/ and widgets/"
  elif [[ "$file" == */gui/* ]]; then
    if [ "$dir" != shell ] && [[ "$inc" == */gui/* ]] && [[ "$inc" != "$dir/gui/"* ]]; then
      rule="a subsystem's gui/ includes no other subsystem's gui/"
    fi
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
