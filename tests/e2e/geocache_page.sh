#!/usr/bin/env bash
# A geocache from another program's pocket query, imported and rendered as a
# page: the page is well formed and every file it names lies beside it.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_peer_data gpx
require_tools xmllint
gpx="$HIKEWISE_PEER_DATA_DIR/gpx/GC7FA4.gpx"
tool="$HIKEWISE_BIN_DIR/hikewise-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" wpt-import "$work/db.wpt" "$gpx" >/dev/null
"$tool" geocache-page "$work/db.wpt" GC7FA4 "$work/html" > "$work/out.json"
grep -q '"template":"cachetpl.htm"' "$work/out.json"
page="$work/html/gc.htm"
hint="$work/html/hinttpl.htm"

# The cache's own texts reached the page, as UTF-8.
grep -q '<title>(GC7FA4) Points géodésiques du Québec by Sverdrup2</title>' "$page"
grep -q 'src="LocationlessCache.gif"' "$page"
grep -q 'In Quebec, Canada' "$page"
if grep -q '<!--HW_' "$page" "$hint"; then echo "placeholder left"; exit 1; fi

# Well formed: the HTML parser finds nothing but the newer elements it does
# not know and the log lines' "&nbsp" without its semicolon.
for f in "$page" "$hint"; do
  xmllint --html --noout "$f" 2> "$work/lint" || true
  if grep 'error' "$work/lint" \
      | grep -v -E 'Tag (main|header|section|details|summary|footer) invalid' \
      | grep -v "htmlParseEntityRef: expecting ';'" \
      | grep -q .; then
    echo "$f is not well formed:"; cat "$work/lint"; exit 1
  fi
done

# Every local file that the pages name is there.
for f in "$page" "$hint"; do
  grep -o -E '(src|href)="[^"]+"' "$f" | sed -E 's/^(src|href)="//; s/"$//' \
    | grep -v -E '^[a-zA-Z][a-zA-Z0-9+.-]*:' | sort -u > "$work/names"
  [ -s "$work/names" ] || { echo "$f names no file"; exit 1; }
  while read -r name; do
    [ -f "$work/html/$name" ] || { echo "$f names $name, which is missing"; exit 1; }
  done < "$work/names"
done
echo "GC7FA4 pages rendered, every file they name beside them"
