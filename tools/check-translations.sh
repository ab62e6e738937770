#!/usr/bin/env bash
# Checks that translations/*.ts hold every text of the sources, translated:
# runs lupdate over the tree (SOURCE_DIR, default the tree of this script)
# into a scratch copy of each file and lists the messages lupdate found new
# or that are unfinished. Exits 1 when there are any, 0 otherwise.
#   tools/check-translations.sh [SOURCE_DIR]
# To bring a file up to date, run the same lupdate on the file itself:
#   /usr/lib/qt6/bin/lupdate <the options below> -ts translations/hikewise_en.ts
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
[ -x "$lupdate" ] || { echo "FAIL: $lupdate is missing (Debian qt6-l10n-tools)" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for ts in "$root"/translations/*_en.ts; do
  name=$(basename "$ts")
  cp "$ts" "$scratch/$name"
  (cd "$root" && "$lupdate" -tr-function-alias translate+=Translate,QT_TRANSLATE_NOOP+=HW_TRANSLATE_NOOP \
    -locations none -no-obsolete src fixscope/src -ts "$scratch/$name" \
    -source-language zh_CN -target-language en) >"$scratch/lupdate.out" 2>&1 || {
    cat "$scratch/lupdate.out" >&2
    exit 1
  }
  # Every message without a finished translation, with its context.
  python3 - "$scratch/$name" "$name" <<'PY' || status=1
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
bad = 0
for context in root.iter('context'):
    name = context.findtext('name')
    for message in context.iter('message'):
        t = message.find('translation')
        if t is None or t.get('type') in ('unfinished', 'obsolete', 'vanished') or \
                (not (t.text or '').strip() and not list(t)):
            print(f"{sys.argv[2]}: untranslated in {name}: {message.findtext('source')!r}")
            bad += 1
if bad:
    print(f"{sys.argv[2]}: {bad} text(s) without an English translation")
sys.exit(1 if bad else 0)
PY
done
exit $status
