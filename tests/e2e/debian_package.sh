#!/usr/bin/env bash
# The Debian package, built from this build tree: its contents and control
# fields, lintian, the desktop entries, the AppStream data, the file types
# and the manual pages; then the installed programs run from a scratch root
# (dpkg -x) on their installed data, with the source and build trees' data
# hidden: the demo's walk, map, terrain and course from /usr/share/hikewise.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
require_tools cpack dpkg-deb lintian desktop-file-validate appstreamcli update-mime-database man python3
fail() { echo "FAIL: $*" >&2; exit 1; }
build=$(cd "$HIKEWISE_BIN_DIR/.." && pwd)
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" > "$work/cpack.log" 2>&1 ||
  fail "cpack: $(tail -20 "$work/cpack.log")"
debs=("$work"/out/hikewise_*_"$(dpkg --print-architecture)".deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no package hikewise_<version>_<arch>.deb"
deb=${debs[0]}

# What the package holds.
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's#^\./#/#' > "$work/files"
for f in /usr/bin/hikewise /usr/bin/hikewise-tool /usr/bin/fixscope \
  /usr/share/hikewise/demo/demo.nmea /usr/share/hikewise/demo/monaco.map \
  /usr/share/hikewise/demo/monaco.dem /usr/share/hikewise/demo/demo-course.gpx \
  /usr/share/hikewise/demo/demo-caches.gpx /usr/share/hikewise/templates/cachetpl.htm \
  /usr/share/applications/hikewise.desktop /usr/share/applications/fixscope.desktop \
  /usr/share/metainfo/org.korv.hikewise.metainfo.xml \
  /usr/share/metainfo/org.korv.fixscope.metainfo.xml /usr/share/mime/packages/hikewise.xml \
  /usr/share/icons/hicolor/scalable/apps/hikewise.svg \
  /usr/share/icons/hicolor/48x48/apps/hikewise.png \
  /usr/share/icons/hicolor/256x256/apps/fixscope.png \
  /usr/share/man/man1/hikewise.1.gz /usr/share/man/man1/hikewise-tool.1.gz \
  /usr/share/man/man1/fixscope.1.gz /usr/share/doc/hikewise/copyright \
  /usr/share/doc/hikewise/changelog.gz /usr/share/doc/hikewise/README.Debian; do
  grep -qx "$f" "$work/files" || fail "the package lacks $f"
done
# GDAL's module, in the architecture's private library folder.
grep -qxE '/usr/lib/[a-z0-9_]+-[a-z0-9_-]+/hikewise/hikewise-gdal\.so' "$work/files" ||
  fail "the package lacks /usr/lib/<architecture>/hikewise/hikewise-gdal.so"
# Nothing of the tests or the development tools, nor the demo's raw data.
if grep -E '_tests|bench_|/usr/include|hikewise-(art|symbols|icons|nmea-sim)|\.osm\.pbf$|\.tif$' "$work/files" ||
  grep -E '^/usr/lib/.' "$work/files" |
  grep -vxE '/usr/lib/([a-z0-9_-]+/)?(hikewise/(hikewise-gdal\.so)?)?'; then
  fail "the package holds test or development files"
fi

# Control fields: libraries from the binaries, fonts and plugins by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6multimedia6 libexpat1 fonts-noto-cjk qt6-translations-l10n \
  qt6-qpa-plugins; do
  [[ $depends == *"$d"* ]] || fail "Depends lacks $d: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = hikewise ] || fail "package name"

# lintian: no errors (warnings and notes are listed in the log).
lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
cat "$work/lintian.log"

dpkg -x "$deb" "$work/root"
root=$work/root

desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entries"
grep -q '^Name\[en\]=Hikewise$' "$root/usr/share/applications/hikewise.desktop" ||
  fail "no English name beside the Chinese one"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml > "$work/as.log" 2>&1 ||
  fail "appstream: $(cat "$work/as.log")"

# The file types: a scratch MIME database over the system's and ours.
mkdir -p "$work/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/hikewise.xml" \
  "$work/mime/packages/"
update-mime-database "$work/mime" 2> "$work/mime.log" || fail "MIME types: $(cat "$work/mime.log")"
for t in application/x-geocaching-loc:loc application/x-hikewise-waypoints:wpt \
  application/x-hikewise-track:trk application/x-hikewise-map:map; do
  grep -q "^[0-9]*:${t%%:*}:\*\.${t##*:}\$" "$work/mime/globs2" || fail "no glob for ${t##*:}"
done
grep -q 'KORVWP' "$work/mime/magic" || fail "no magic for the waypoint database"

# Manual pages render without warnings and name every command of the tool.
for page in "$root"/usr/share/man/man1/*.1.gz; do
  MANWIDTH=80 man --warnings -l "$page" > "$work/page.txt" 2> "$work/man.log" ||
    fail "man $page: $(cat "$work/man.log")"
  [ ! -s "$work/man.log" ] || fail "man $page warns: $(cat "$work/man.log")"
done
MANWIDTH=80 man -l "$root/usr/share/man/man1/hikewise-tool.1.gz" > "$work/tool.txt" 2>/dev/null
for c in $("$HIKEWISE_BIN_DIR/hikewise-tool" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p'); do
  grep -q "^ *$c " "$work/tool.txt" || fail "man hikewise-tool lacks the command $c"
  grep -qE "^ *([a-z-]+, )*$c\b" <(sed -n '/^JSON OUTPUT/,/^EXIT STATUS/p' "$work/tool.txt") ||
    fail "man hikewise-tool lacks the JSON output of $c"
done
grep -q dialout "$root/usr/share/doc/hikewise/README.Debian" || fail "no dialout hint"

# The installed programs, with the source tree's resources hidden so that
# only the installed data can be found.
# Read whole before grep -q ends early: a cut pipe would fail the writer under pipefail.
grep -q '^Usage: hikewise-tool' <<<"$("$root/usr/bin/hikewise-tool" --help)" || fail "hikewise-tool --help"
grep -q -- '--ports' <<<"$("$root/usr/bin/fixscope" --help)" || fail "fixscope --help"
# Rasters beyond SRTM tiles and plain GeoTIFFs load GDAL from the package's
# own folder.
if command -v gdal_translate > /dev/null && [ -d "$HIKEWISE_PEER_DATA_DIR/dem" ]; then
  gdal_translate -q -of DTED "$HIKEWISE_PEER_DATA_DIR/dem/S16E166.hgt" "$work/santo.dt1"
  "$root/usr/bin/hikewise-tool" dem-import "$work/santo.dt1" "$work/santo.dem" > /dev/null ||
    fail "the installed hikewise-tool cannot read a DTED raster"
else
  echo "skipped: no gdal_translate or peer data to make a DTED raster"
fi
if ! unshare -rm true 2> /dev/null; then
  echo "skipped: no mount namespace (unshare -rm) to hide the source tree's data"
  exit 77
fi
shot() { # HOME-DIR OUT.png [PAGE]: a page of a first run after some seconds of the demo
  mkdir -p "$1"
  timeout 120 unshare -rm bash -c \
    'mount --bind "$1" "$2/resources" && mount --bind "$1" "$3/demo" && shift 3 && exec "$@"' _ \
    "$work/empty" "$HIKEWISE_SOURCE_DIR" "$build" env HOME="$1" XDG_CONFIG_HOME="$1/.config" \
    "$root/usr/bin/hikewise" --page "${3:-0}" --size 480x640 --after 4 --screenshot "$2" \
    > "$work/run.log" 2>&1 || fail "installed hikewise: $(cat "$work/run.log")"
  [ -s "$2" ] || fail "no screenshot $2"
}
mkdir -p "$work/empty"
# The map page draws the installed demo's map, terrain and course.
shot "$work/home0" "$work/map.png" 3
python3 "$(dirname "$0")/lib/pixel_classes.py" "$work/map.png" --box 0,30,480,480 \
  sea=160,204,236 contour=176,128,80 course=31,111,224 > "$work/classes"
while read -r class count; do
  [ "$count" -ge 100 ] || fail "the installed demo's map page has $count pixels of $class"
done < "$work/classes"
[ "$(wc -l < "$work/classes")" -eq 3 ] || fail "the map page was not classified"
shot "$work/home1" "$work/demo.png"
# The same first run over an empty installed demo walk shows no fix: the
# screenshots differ only when the installed demo was read.
: > "$root/usr/share/hikewise/demo/demo.nmea"
shot "$work/home2" "$work/nodemo.png"
cmp -s "$work/demo.png" "$work/nodemo.png" && fail "the installed demo walk was not replayed"
cp "$work/demo.png" "$build/package-demo.png"
cp "$work/nodemo.png" "$build/package-nodemo.png"
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes, $(wc -l < "$work/files") entries"
