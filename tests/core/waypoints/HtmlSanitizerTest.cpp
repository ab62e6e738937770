#include "waypoints/HtmlSanitizer.h"

#include "TestFiles.h"
#include "base/HtmlTokenizer.h"
#include "waypoints/WaypointImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <string>

namespace hw {
namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// No tag of the sanitized HTML, read again, is active.
void ExpectNoActiveTag(const std::string& html, const std::string& out)
{
    HtmlTokenizer tokenizer(out);
    HtmlToken token;
    while (tokenizer.Next(token)) {
        EXPECT_NE(token.kind, HtmlToken::Kind::Incomplete) << html << "\n  as " << out;
        if (token.kind != HtmlToken::Kind::StartTag)
            continue;
        for (const char* active : {"script", "iframe", "object", "embed", "meta", "svg"})
            EXPECT_NE(token.name, active) << html << "\n  as " << out;
        for (const HtmlAttribute& attr : token.attributes) {
            EXPECT_NE(attr.name.rfind("on", 0), 0u) << html << "\n  as " << out;
            EXPECT_EQ(Lower(attr.value).find("script"), std::string::npos)
                << html << "\n  as " << out;
        }
    }
}

// Nothing of what runs or loads active content is left, in any case.
void ExpectInert(const std::string& html, bool textMayRemain = false)
{
    std::string out = Lower(SanitizeHtml(html));
    ExpectNoActiveTag(html, out);
    if (textMayRemain) {
        EXPECT_EQ(out.find("<script"), std::string::npos) << html << "\n  as " << out;
        return;
    }
    for (const char* active :
         {"<script",    "<iframe", "<frame",    "<object", "<embed",     "<applet",  "<base",
          "<form",      "<input",  "<button",   "<select", "<textarea",  "<meta",    "<link",
          "<svg",       "<math",   "<noscript", "<param",  "javascript", "vbscript", "alert",
          "expression", "@import", "data:text", "srcdoc",  " on",        "\ton",     "\non",
          "/on",        "<![",     "<!doctype"})
        EXPECT_EQ(out.find(active), std::string::npos)
            << "'" << active << "' left of " << html << "\n  as " << out;
}

TEST(HtmlSanitizerTest, ActiveElementsGoWithTheirContentInAnyCase)
{
    for (const char* html : {
             "<p>a</p><script>alert(1)</script><p>b</p>",
             "<SCRIPT SRC=//evil/x.js></SCRIPT>",
             "<ScRiPt>alert(1)</sCrIpT>",
             "<script>alert('</p>')</script >",
             "<script/src=x>alert(1)</script>",
             "<script>alert(1)", // never closed
             "<IFRAME SRC=\"http://evil\">alert</IFRAME>",
             "<iframe srcdoc=\"<script>alert(1)</script>\"></iframe>",
             "<noscript><p title=\"</noscript><img src=x onerror=alert(1)>\"></noscript>",
             "<textarea><script>alert(1)</script></textarea>",
             "<svg><script>alert(1)</script></svg>",
             "<svg onload=alert(1)><svg><a xlink:href=javascript:alert(1)>x</a></svg></svg>",
             "<math><mi xlink:href=\"javascript:alert(1)\">x</mi></math>",
             "<xmp><script>alert(1)</script></xmp>",
             "<title><script>alert(1)</script></title>",
             "<plaintext><script>alert(1)</script>",
         })
        ExpectInert(html);
    EXPECT_EQ(SanitizeHtml("<p>a</p><script>alert(1)</script><p>b</p>"), "<p>a</p><p>b</p>");
    EXPECT_EQ(SanitizeHtml("x<ScRiPt>alert(1)</sCrIpT>y"), "xy");
}

TEST(HtmlSanitizerTest, LoadingElementsLoseTheirTagsButKeepTheirText)
{
    for (const char* html : {
             "<object data=\"evil.swf\"><param name=movie value=evil.swf>Flash</object>",
             "<EMBED SRC=evil.swf>",
             "<applet code=Evil.class>Java</applet>",
             "<frameset><frame src=evil></frameset>",
             "<base href=\"http://evil/\">",
             "<META HTTP-EQUIV=\"refresh\" CONTENT=\"0;url=javascript:alert(1)\">",
             "<meta http-equiv=refresh content=0;url=http://evil>",
             "<link rel=stylesheet href=http://evil/x.css>",
             "<form action=http://evil><input name=pw><button formaction=x>Go</button></form>",
             "<select><option>a</option></select>",
         })
        ExpectInert(html);
    EXPECT_EQ(SanitizeHtml("<object data=x.swf><p>No Flash</p></object>"), "<p>No Flash</p>");
    EXPECT_EQ(SanitizeHtml("<form action=x>Name <input name=n><button>Go</button></form>"),
              "Name Go");
}

TEST(HtmlSanitizerTest, EventHandlersGoFromEveryTag)
{
    for (const char* html : {
             "<img src=x onerror=alert(1)>",
             "<IMG SRC=x ONERROR=\"alert(1)\">",
             "<body onload='alert(1)'>",
             "<p OnMouseOver=alert(1)>x</p>",
             "<a href=\"a.htm\"onclick=\"alert(1)\">x</a>",
             "<div/onmouseover=alert(1)>x</div>",
             "<img src=x\nonerror\n=\nalert(1)>",
             "<img \"onerror=alert(1)>", // a name no browser agrees on
             "</p onclick=alert(1)>",
         })
        ExpectInert(html);
    EXPECT_EQ(SanitizeHtml("<IMG SRC=\"a.jpg\" ONERROR=\"alert(1)\" width=10>"),
              "<IMG SRC=\"a.jpg\" width=10>");
    EXPECT_EQ(SanitizeHtml("<br onclick=x />"), "<br />");
}

TEST(HtmlSanitizerTest, ActiveAddressesGoHoweverTheyAreWritten)
{
    for (const char* html : {
             "<a href=\"javascript:alert(1)\">x</a>",
             "<A HREF=JAVASCRIPT:alert(1)>x</A>",
             "<a href='JaVaScRiPt:alert(1)'>x</a>",
             "<a href=\"jav&#x61;script:alert(1)\">x</a>",
             "<a href=\"&#106;&#97;&#118;&#97;&#115;&#99;&#114;&#105;&#112;&#116;&#58;a()\">x</a>",
             "<a href=\"&#x6A&#x61&#x76&#x61&#x73&#x63&#x72&#x69&#x70&#x74&#x3A;a()\">x</a>",
             "<a href=\"javascript&colon;alert(1)\">x</a>",
             "<a href=\"java\tscript:alert(1)\">x</a>",
             "<a href=\"jav&Tab;ascript:alert(1)\">x</a>",
             "<a href=\" &#14;  javascript:alert(1)\">x</a>",
             "<a href=\"java&NewLine;script:alert(1)\">x</a>",
             "<img src=\"vbscript:msgbox(1)\">",
             "<IMG SRC=VBScript:msgbox(1)>",
             "<a href=\"data:text/html;base64,PHNjcmlwdD5hbGVydCgxKTwvc2NyaXB0Pg==\">x</a>",
             "<a href=\"DATA:text/html,<script>alert(1)</script>\">x</a>",
             "<a href=\"data:image/svg+xml,<svg onload=alert(1)>\">x</a>",
             "<table background=\"javascript:alert(1)\"><tr><td>x</td></tr></table>",
             "<img srcset=\"a.jpg 1x, javascript:alert(1) 2x\">",
         })
        ExpectInert(html);
    // The element and its other attributes stay.
    EXPECT_EQ(SanitizeHtml("<a href=\"jav&#x61;script:alert(1)\" title=\"t\">link</a>"),
              "<a title=\"t\">link</a>");
    // Images written into the page stay.
    const std::string inlineImage = "<img src=\"data:image/png;base64,iVBORw0KGgo=\" alt=\"x\">";
    EXPECT_EQ(SanitizeHtml(inlineImage), inlineImage);
}

TEST(HtmlSanitizerTest, StylesThatRunOrImportGo)
{
    for (const char* html : {
             "<style>@import url(http://evil/x.css);</style>",
             "<STYLE>@IMPORT 'x.css';</STYLE>",
             "<style>p { width: expression(alert(1)) }</style>",
             "<style>p { width: ex/**/pression(alert(1)) }</style>",
             "<style>p { background: url(javascript:alert(1)) }</style>",
             "<style>p { background: url(\"\\6a avascript:alert(1)\") }</style>",
             "<style>p { behavior: url(x.htc) }</style>",
             "<style>p { -moz-binding: url(x.xml#x) }</style>",
             "<p style=\"background:url(javascript:alert(1))\">x</p>",
             "<p style=\"width:EXPRESSION(alert(1))\">x</p>",
             "<p style=\"background-image:url(&#x27;jav&#x61;script:alert(1)&#x27;)\">x</p>",
             "<div style=\"background:url(data:text/html,x)\">x</div>",
             "<style>never closed { color: red }",
         })
        ExpectInert(html);
    const std::string plain = "<style type=\"text/css\">p.note { color: #800; "
                              "background: url(back.jpg) }</style><p class=note>x</p>";
    EXPECT_EQ(SanitizeHtml(plain), plain);
    EXPECT_EQ(SanitizeHtml("<p style=\"color:red\" STYLE=\"x:expression(a)\">x</p>"),
              "<p style=\"color:red\">x</p>");
}

TEST(HtmlSanitizerTest, BrokenMarkupLeavesNothingActiveBehind)
{
    for (const char* html : {
             "<scr<script>ipt>alert(1)</script>",
             "<<script>alert(1)//<</script>",
             "x<<script></script>img src=y onerror=alert(1)>",
             "x<!<script></script>--><img src=y onerror=alert(1)>",
             "<img src=x onerror=alert(1)",   // cut off: would swallow the page
             "<a href=\"javascript:alert(1)", // unclosed quote
             "<p>text<!-- unclosed comment <script>alert(1)</script>",
             "<!--[if IE]><script>alert(1)</script><![endif]-->",
             "<![if !IE]><script>alert(1)</script><![endif]>",
             "<!DOCTYPE html><html><head><script>alert(1)</script></head></html>",
             "<?xml-stylesheet href=\"javascript:alert(1)\"?>",
             "<img src=`x`onerror=alert(1)>",
             "<a href=\"\"><img/src=\"x\"/onerror=alert(1)></a>",
             "<img/src=x/onerror=alert(1)>",
         })
        ExpectInert(html, true);
    // Text that a dropped script had between it cannot join into a tag.
    std::string out = SanitizeHtml("x<<script></script>img src=y onerror=alert(1)>");
    EXPECT_EQ(out.find("<img"), std::string::npos);
    EXPECT_EQ(out.find('<'), std::string::npos);
}

// The fastest of up to three runs over the same bytes (a busy machine only
// ever makes a run slower); fewer when a run is already within the bound or
// far beyond it.
double FastestSeconds(const std::string& piece, int copies, double bound = 0)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < copies; ++i)
            SanitizeHtml(piece);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        if (bound > 0 && (best < bound || best > 10 * bound))
            break;
    }
    return best;
}

// Sanitising is linear in its input: one description of 256 KB takes about
// as long as 32 of 8 KB (a quadratic pass would take 32 times as long).
TEST(HtmlSanitizerTest, TimeGrowsLinearlyWithTheInput)
{
    auto repeat = [](std::string_view unit, std::size_t size) {
        std::string s;
        while (s.size() < size)
            s += unit;
        return s;
    };
    struct Shape {
        const char* name;
        std::string_view prefix, unit, suffix;
    } shapes[] = {
        {"url( in a style attribute", "<p style=\"", "url(", "\">x</p>"},
        {"url( in a style block", "<style>", "url(", "</style>"},
        {"url( with an address", "<style>", "url(http:x", "</style>"},
        {"unclosed comments", "x", "<!--<", ""},
        {"cut tags", "", "<a href=\"x\" ", ""},
        {"bogus markup", "", "<?<!x</1", ""},
        {"references", "<p title=\"", "&#x6a;&amp;&colon", "\">x</p>"},
        {"srcset", "<img srcset=\"", "a.png 1x, ", "\">"},
        {"text between dropped tags", "", "a<<script></script>", ""},
    };
    for (const Shape& shape : shapes) {
        const std::string small =
            std::string(shape.prefix) + repeat(shape.unit, 8 * 1024) + std::string(shape.suffix);
        const std::string large =
            std::string(shape.prefix) + repeat(shape.unit, 256 * 1024) + std::string(shape.suffix);
        // Generous: a linear pass stays near 1 whatever the caches do.
        const double bound = 8 * FastestSeconds(small, 32) + 0.05;
        double largeSeconds = FastestSeconds(large, 1, bound);
        EXPECT_LT(largeSeconds, bound) << shape.name << ": 256 KB took " << largeSeconds
                                       << " s, 8 times 32 x 8 KB " << bound << " s";
    }
}

TEST(HtmlSanitizerTest, OrdinaryFormattingIsKeptByteForByte)
{
    const std::string html =
        "<p align=\"center\"><font face=\"Arial\" size=\"4\" color=#008000><b>Bienvenue</b>"
        "</font></p>\r\n<P>Un <I>point</I> g\xc3\xa9od\xc3\xa9sique&nbsp;&eacute;</P>\n"
        "<ul><li>one<li>two</ul><ol type=a><li>x</li></ol>\n"
        "<table border=1 cellpadding='2' width=\"100%\"><tr><th>Jour</th><td bgcolor=#ffff00>"
        "lundi</td></tr></table>\n"
        "<img src=\"http://img.example.org/cache/1.jpg\" width=\"400\" height=\"300\" "
        "alt=\"vue\" border=0><br/>\n<a href=\"https://www.example.org/seek?id=1&amp;x=2\" "
        "target=\"_blank\">site</a> <a href=\"mailto:owner@example.org\">owner</a> "
        "<a href=\"#top\">top</a> <a href=\"page2.htm\">next</a>\n"
        "<div class=\"note\" style=\"border: 1px solid #ccc; padding: 4px\">"
        "<span style=\"color: red\">!</span><o:p></o:p></div>\n"
        "<!-- the owner's own note --><hr><center><small>fin</small></center>"
        "<blockquote><pre>  N 45 30.000</pre></blockquote>";
    EXPECT_EQ(SanitizeHtml(html), html);
}

TEST(HtmlSanitizerTest, PeerDescriptionsAreKeptByteForByte)
{
    HW_REQUIRE_PEER_DATA("gpx");
    WaypointDatabase db;
    ImportResult r = ImportGpx(db, test::PeerDataDir() + "/gpx/GC7FA4.gpx", false);
    ASSERT_TRUE(r.error.empty()) << r.error;
    std::vector<Waypoint> waypoints;
    db.ForEach([&](const Waypoint& w) { waypoints.push_back(w); });
    int html = 0;
    for (const Waypoint& w : waypoints) {
        for (auto [text, isHtml] :
             {std::pair{w.geocache.strShortDescription, w.geocache.bShortDescriptionHtml},
              std::pair{w.geocache.strLongDescription, w.geocache.bLongDescriptionHtml}}) {
            if (!isHtml)
                continue;
            ++html;
            EXPECT_EQ(SanitizeHtml(text), text);
        }
    }
    EXPECT_EQ(html, 2);
}

} // namespace
} // namespace hw
