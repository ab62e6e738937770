#!/usr/bin/env bash
# Every text of the sources has its English translation, and the check
# catches a text added without one in a copy of the tree.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
check="$HIKEWISE_SOURCE_DIR/tools/check-translations.sh"
"$check" "$HIKEWISE_SOURCE_DIR"

copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$HIKEWISE_SOURCE_DIR/src" "$HIKEWISE_SOURCE_DIR/translations" "$copy/"
mkdir -p "$copy/fixscope" && cp -r "$HIKEWISE_SOURCE_DIR/fixscope/src" "$copy/fixscope/src"
cat >>"$copy/src/base/Translate.cpp" <<'CPP'
static const char* const kAddedText = HW_TRANSLATE_NOOP("AddedContext", "新加的文字");
CPP
if out=$("$check" "$copy"); then
  echo "the check passed with a text that has no translation"
  exit 1
fi
grep -qF "untranslated in AddedContext: '新加的文字'" <<<"$out" || {
  echo "unexpected message: $out"
  exit 1
}
