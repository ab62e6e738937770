#!/usr/bin/env bash
# Checks the include rules of the source tree (default: src/ beside this script)
# against the floors of src/floors.txt (or the table given as the second
# argument):
#   a room includes only itself and the rooms its line of the table names;
#   the core (every room but widgets/, outside gui/) includes no Qt code:
#   no gui/ header and nothing of widgets/;
#   a room's gui/ includes no other room's gui/, except the frame's (shell/
#   and app/), which builds the windows of all.
# Prints one line a broken rule (file:line: rule) and exits 1 when any is broken.
set -uo pipefail
src=${1:-"$(dirname "$0")/../src"}
table=${2:-"$src/floors.txt"}
[ -f "$table" ] || { echo "check-includes: no table $table" >&2; exit 2; }
table=$(realpath "$table")
cd "$src" || { echo "check-includes: no folder $src" >&2; exit 2; }

declare -A may
while IFS= read -r row; do
  [[ -z "$row" || "$row" == \#* ]] && continue
  may[${row%%:*}]=" ${row#*:} "
done <"$table"

broken=0
while IFS=: read -r file line text; do
  [[ "$text" =~ \"([^\"]*)\" ]] || continue
  inc=${BASH_REMATCH[1]}
  [[ "$inc" == */* ]] || continue
  dir=${file%%/*}
  to=${inc%%/*}
  rule=
  if [ -z "${may[$dir]+x}" ]; then
    rule="$dir/ is no room of the floors table"
  elif [ "$to" != "$dir" ] && [ "$to" != widgets ] && [ -z "${may[$to]+x}" ]; then
    rule="$to/ is no room of the floors table"
  elif [[ "$file" == */gui/* ]]; then
    if [[ "$inc" == */gui/* ]] && [[ "$inc" != "$dir/gui/"* ]] && [ "$dir" != shell ] && [ "$dir" != app ]; then
      rule="a room's gui/ includes no other room's gui/"
    elif [ "$to" != "$dir" ] && [ "$to" != widgets ] && [[ "${may[$dir]}" != *" $to "* ]]; then
      rule="$dir/ may include only$(sed 's/ \+/ /g' <<<"${may[$dir]}")and widgets/ in gui/"
    fi
  elif [ "$dir" = app ]; then
    :
  elif [ "$dir" = widgets ] && [[ "$inc" == */gui/* ]]; then
    rule="widgets/ includes no room's gui/"
  elif [[ "$inc" == */gui/* ]]; then
    rule="the core includes no gui/ header"
  elif [ "$to" = widgets ] && [ "$dir" != widgets ]; then
    rule="the core includes nothing of widgets/"
  elif [ "$to" != "$dir" ] && [[ "${may[$dir]}" != *" $to "* ]]; then
    rule="$dir/ may include only$(sed 's/ \+/ /g' <<<"${may[$dir]}")"
  fi
  if [ -n "$rule" ]; then
    echo "$file:$line: includes \"$inc\": $rule"
    broken=1
  fi
done < <(grep -rn -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' --include='*.h' --include='*.cpp' . | sed 's#^\./##')

[ "$broken" -eq 0 ] && echo "include rules hold"
exit "$broken"
