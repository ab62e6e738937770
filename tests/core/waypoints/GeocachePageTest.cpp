#include "waypoints/GeocachePage.h"
#include "ScopedTimeZone.h"
#include "TestFiles.h"
#include "base/Clock.h"

#include "base/MemorySettingsStore.h"
#include "units/PositionFormatter.h"
#include <cstring>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

namespace hw {
namespace {

using test::ScopedTimeZone;

// 2009-03-01 14:05:00 UTC.
constexpr int32_t kMarch1st = 1235916300;
constexpr int64_t kDay = 86400;

class GeocachePageTest : public ::testing::Test {
protected:
    std::string Value(const char* key, int64_t now = kMarch1st) const
    {
        return GeocachePageValues(w, positions, now).Value(key);
    }
    std::string Line(std::string_view line) const
    {
        return RenderTemplateLine(line, GeocachePageValues(w, positions, kMarch1st));
    }

    MemorySettingsStore store;
    PositionFormatter positions{store};
    Waypoint w;
};

TEST_F(GeocachePageTest, StarsForWholeAndHalfSteps)
{
    const std::string full = R"(<img border="0" src="sy.gif" width="9" height="9">)";
    const std::string half = R"(<img border="0" src="hsy.gif" width="5" height="9">)";
    EXPECT_EQ(GeocachePageValues::DifficultyStars(25), full + full + half);
    EXPECT_EQ(GeocachePageValues::DifficultyStars(30), full + full + full);
    EXPECT_EQ(GeocachePageValues::DifficultyStars(15), full + half);
    EXPECT_EQ(GeocachePageValues::DifficultyStars(0), "");
    EXPECT_EQ(GeocachePageValues::DifficultyStars(5), half);
    EXPECT_EQ(GeocachePageValues::TerrainStars(35),
              R"(<img border="0" src="sg.gif" width="9" height="9">)"
              R"(<img border="0" src="sg.gif" width="9" height="9">)"
              R"(<img border="0" src="sg.gif" width="9" height="9">)"
              R"(<img border="0" src="hsg.gif" width="5" height="9">)");
    // The record's tenths reach the keys.
    w.geocache.nDifficulty = 15;
    w.geocache.nTerrain = 50;
    EXPECT_EQ(Value("HW_DIFFICULTY"), full + half);
    EXPECT_EQ(Value("HW_TERRAIN").find("hsg.gif"), std::string::npos);
}

TEST_F(GeocachePageTest, CacheTypeImagesFirstMatchWins)
{
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Traditional Cache"), "TraditionalCache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Unknown Cache"), "MysteryCache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Mystery Cache"), "MysteryCache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Multi-cache"), "Multicache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Mega-Event Cache"), "EventCache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Earthcache"), "Earthcache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Webcam Cache"), "WebcamCache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Locationless (Reverse) Cache"),
                 "LocationlessCache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Letterbox Hybrid"), "LetterboxCache.gif");
    // "Virtual" is tested before "Multi".
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Virtual Multi"), "VirtualCache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("Wherigo Cache"), "TraditionalCache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage(""), "TraditionalCache.gif");
    EXPECT_STREQ(GeocachePageValues::CacheTypeImage("event cache"), "TraditionalCache.gif");
}

TEST_F(GeocachePageTest, LogsInLocalTimeWithTheirIcons)
{
    ScopedTimeZone tz("CST-8");
    w.geocache.logs[0] = {"Found it, thanks!", 1, 0, kMarch1st, "Hiker"};
    w.geocache.logs[1] = {"skipped: no date", 2, 0, 0, "Nobody"};
    w.geocache.logs[2] = {"Line one\r\nLine two", 7, 0, kMarch1st - 23 * 3600, "Owl"};
    EXPECT_EQ(Value("HW_GC_LOGS"),
              "<p><img border=\"0\" src=\"icon_smile.gif\" width=\"16\" height=\"16\"> &nbsp <b> "
              "03/01/2009 by Hiker</b><br>Found it, thanks!</p>"
              "<p><img border=\"0\" src=\"icon_sad.gif\" width=\"16\" height=\"16\"> &nbsp <b> "
              "02/28/2009 by Owl</b><br>Line one<br>\nLine two</p>");
    EXPECT_STREQ(GeocachePageValues::LogIcon(2), "icon_note.gif");
    EXPECT_STREQ(GeocachePageValues::LogIcon(3), "icon_rsvp.gif");
    EXPECT_STREQ(GeocachePageValues::LogIcon(4), "icon_attended.gif");
    EXPECT_STREQ(GeocachePageValues::LogIcon(5), "icon_disabled.gif");
    EXPECT_STREQ(GeocachePageValues::LogIcon(0), "icon_sad.gif");
    EXPECT_STREQ(GeocachePageValues::LogIcon(255), "icon_sad.gif");

    // The placed date in local time; none when it is not known.
    w.timeCreated = kMarch1st + 2 * 3600; // 00:05 the next day in UTC+8
    EXPECT_EQ(Value("HW_TIMEORIGINATED"), "03/02/2009");
    ScopedTimeZone utc("UTC0");
    EXPECT_EQ(Value("HW_TIMEORIGINATED"), "03/01/2009");
    w.timeCreated = 0;
    EXPECT_EQ(Value("HW_TIMEORIGINATED"), "");
}

TEST_F(GeocachePageTest, NewMarkLastsLessThanThirtyDays)
{
    const std::string mark = "<span style=\"background-color: #FFFF00\">(New)</span>";
    w.timeCreated = kMarch1st;
    EXPECT_EQ(Value("HW_NEW", kMarch1st + 29 * kDay), mark);
    EXPECT_EQ(Value("HW_NEW", kMarch1st + 30 * kDay - 1), mark);
    EXPECT_EQ(Value("HW_NEW", kMarch1st + 30 * kDay), "");
    EXPECT_EQ(Value("HW_NEW", kMarch1st), mark);
    EXPECT_EQ(Value("HW_NEW", kMarch1st - 1), ""); // created in the future
}

TEST_F(GeocachePageTest, PlainTextFromAFileRendersInert)
{
    w.strName = "GC<b>1";
    w.strURL = "javascript:alert(1)";
    w.strComment = "a & b\nc";
    w.geocache.strCacheName = "<script>alert('name')</script>";
    w.geocache.strPlacedBy = "\"><img src=x onerror=alert(1)>";
    w.geocache.strEncodedHints = "<script>alert(1)</script>";
    w.geocache.strState = "<i>";
    w.geocache.strCountry = "&amp;";
    w.geocache.strContainer = "<!--HW_HINT-->";
    w.geocache.logs[0] = {"</p><script>steal()</script>", 1, 0, kMarch1st, "<b>me</b>"};

    EXPECT_EQ(Value("HW_PAGE_TITLE"),
              "(GC&lt;b&gt;1) &lt;script&gt;alert(&#39;name&#39;)&lt;/script&gt; by "
              "&quot;&gt;&lt;img src=x onerror=alert(1)&gt;");
    EXPECT_EQ(Value("HW_WAYPOINTNAME"), "GC&lt;b&gt;1"); // no javascript: link
    EXPECT_EQ(Value("HW_HINT"), "&lt;script&gt;alert(1)&lt;/script&gt;");
    EXPECT_EQ(Value("HW_LOCATION"), "In &lt;i&gt;, &amp;amp;");
    EXPECT_EQ(Value("HW_CONTAINER"), "&lt;!--HW_HINT--&gt;");
    EXPECT_EQ(Value("HW_NOTES"), "a &amp; b<br>\nc");
    std::string logs = Value("HW_GC_LOGS");
    EXPECT_EQ(logs.find("<script>"), std::string::npos);
    EXPECT_NE(logs.find("by &lt;b&gt;me&lt;/b&gt;</b>"), std::string::npos);

    // A web link is kept, its quotes escaped.
    w.strURL = "https://example.org/?a=1&b=\"2\"";
    EXPECT_EQ(Value("HW_WAYPOINTNAME"),
              "<a href=\"https://example.org/?a=1&amp;b=&quot;2&quot;\">GC&lt;b&gt;1</a>");
    w.strURL = "  HTTP://EXAMPLE.ORG/";
    EXPECT_EQ(Value("HW_WAYPOINTNAME").rfind("<a href=", 0), 0u);
}

TEST_F(GeocachePageTest, DescriptionsHintAndOtherKeys)
{
    w.geocache.strShortDescription = "<b>bold</b>";
    w.geocache.bShortDescriptionHtml = 1;
    w.geocache.strLongDescription = "<b>not bold</b>\nsecond line";
    EXPECT_EQ(Value("HW_SHORT_DESCRIPTION"), "<b>bold</b>");
    EXPECT_EQ(Value("HW_LONG_DESCRIPTION"), "&lt;b&gt;not bold&lt;/b&gt;<br>\nsecond line");

    EXPECT_EQ(Value("HW_HINT"), "No hint available for this cache.");
    w.geocache.strEncodedHints = "\n      ";
    EXPECT_EQ(Value("HW_HINT"), "No hint available for this cache.");
    w.geocache.strEncodedHints = "\n     ";
    EXPECT_EQ(Value("HW_HINT"), "<br>\n     ");

    w.nLatitude = -33500000;
    w.nLongitude = 8250000;
    EXPECT_EQ(Value("HW_POSITION"), "S 33° 30.0000 E 008° 15.0000");
    store.SetInt("设置", "PositionFormat", 1);
    EXPECT_EQ(Value("HW_POSITION"), "S 33° 30&#39; 00.000 E 008° 15&#39; 00.000");

    w.icon = 24;
    EXPECT_EQ(Value("HW_WAYPOINT_TYPE"), "Geocache");
    w.geocache.strCacheType = "Multi-cache";
    EXPECT_EQ(Value("HW_CT_ICON"), "Multicache.gif");
    EXPECT_EQ(Value("HW_GC_COPYRIGHT"), "Groundspeak Inc.");
    EXPECT_EQ(Value("HW_UNKNOWN"), "");
    EXPECT_EQ(Value(" HW_HINT "), "");
}

TEST_F(GeocachePageTest, TemplateLinesReplacePlaceholdersOnly)
{
    w.strName = "GC1234";
    w.geocache.strCacheName = "Old Mill";
    w.geocache.strPlacedBy = "Miller";
    EXPECT_EQ(Line("<title><!--HW_PAGE_TITLE--></title>\n"),
              "<title>(GC1234) Old Mill by Miller</title>\n");
    // An ordinary comment on a line is a key that is not ours: it goes.
    EXPECT_EQ(Line("<p><!-- a note --><!--HW_CACHE_NAME--></p>"), "<p>Old Mill</p>");
    EXPECT_EQ(Line("<!-- just a comment -->\r\n"), "\r\n");
    // "<!" and "<!-" that do not begin "<!--" are copied.
    EXPECT_EQ(Line("<!DOCTYPE html><!-x<!--HW_HIDDENBY-->"), "<!DOCTYPE html><!-xMiller");
    // From a "<!--" with no "-->" after it the line stays as it is.
    EXPECT_EQ(Line("<!--HW_CACHE_NAME--> <!-- open"), "Old Mill <!-- open");
    EXPECT_EQ(Line("<!--HW_CACHE_NAME"), "<!--HW_CACHE_NAME");
    EXPECT_EQ(Line("<!---->"), "");

    // A value holding a placeholder is not expanded again.
    w.geocache.strLongDescription = "<!--HW_PAGE_TITLE-->";
    w.geocache.bLongDescriptionHtml = 1;
    std::string page =
        RenderTemplateText("<html>\n<body><!--HW_LONG_DESCRIPTION-->\n</body>\r\n</html>",
                           GeocachePageValues(w, positions, kMarch1st));
    EXPECT_EQ(page, "<html>\n<body><!--HW_PAGE_TITLE-->\n</body>\r\n</html>");
}

class FixedClock final : public Clock {
public:
    int64_t NowSeconds() const override { return kMarch1st; }
    int64_t MonotonicMs() const override { return 0; }
};

class GeocachePagesTest : public ::testing::Test {
protected:
    GeocachePageFolders Shipped() const
    {
        return {std::string(HIKEWISE_SOURCE_DIR) + "/resources/templates", out.Path("HTML")};
    }

    test::TempDir out;
    MemorySettingsStore store;
    PositionFormatter positions{store};
    FixedClock clock;
    GeocachePages pages{store, positions, clock};
};

Waypoint Cache()
{
    Waypoint w;
    w.strName = "GC1";
    w.nType = kWaypointGeocache;
    w.geocache.strCacheName = "Old Mill";
    w.geocache.strPlacedBy = "Miller";
    w.geocache.strCacheType = "Multi-cache";
    w.geocache.nDifficulty = 25;
    w.geocache.nTerrain = 15;
    w.geocache.logs[0] = {"TFTC", 1, 0, kMarch1st, "Hiker"};
    w.geocache.logs[1] = {"Soon", 3, 0, kMarch1st, "Owl"};
    return w;
}

TEST_F(GeocachePagesTest, PagesAlternateAndTheSettingHoldsTheLast)
{
    // The setting starts at gc.htm, so the first page is gc2.htm.
    EXPECT_EQ(pages.Render(Cache(), Shipped()), out.Path("HTML/gc2.htm"));
    EXPECT_TRUE(std::filesystem::exists(out.Path("HTML/hinttpl2.htm")));
    EXPECT_EQ(store.GetText("设置", "Last GC HTML FIle", ""), "\\HTML\\gc2.htm");
    EXPECT_EQ(pages.Render(Cache(), Shipped()), out.Path("HTML/gc.htm"));
    EXPECT_TRUE(std::filesystem::exists(out.Path("HTML/hinttpl.htm")));
    EXPECT_EQ(store.GetText("设置", "Last GC HTML FIle", ""), "\\HTML\\gc.htm");
    EXPECT_EQ(pages.Render(Cache(), Shipped()), out.Path("HTML/gc2.htm"));
    // Any other stored name starts again at gc.htm.
    store.SetText("设置", "Last GC HTML FIle", "\\HTML\\old.htm");
    EXPECT_EQ(pages.Render(Cache(), Shipped()), out.Path("HTML/gc.htm"));
}

TEST_F(GeocachePagesTest, TemplateByPlacedByAndEveryReferenceResolves)
{
    std::string page = test::ReadFileBytes(pages.Render(Cache(), Shipped()));
    EXPECT_NE(page.find("<title>(GC1) Old Mill by Miller</title>"), std::string::npos);
    EXPECT_NE(page.find("src=\"Multicache.gif\""), std::string::npos);
    EXPECT_EQ(page.find("<!--"), std::string::npos);

    // A geocache without a placed-by text gets the waypoint page.
    Waypoint plain = Cache();
    plain.geocache.strPlacedBy.clear();
    std::string wpt = test::ReadFileBytes(pages.Render(plain, Shipped()));
    EXPECT_NE(wpt.find("<title>路点</title>"), std::string::npos);

    // Everything the pages name lies beside them.
    for (const char* name : {"gc.htm", "gc2.htm", "hinttpl2.htm"}) {
        std::string text = test::ReadFileBytes(out.Path(std::string("HTML/") + name));
        int count = 0;
        for (const char* attribute : {"src=\"", "href=\""}) {
            for (std::size_t at = text.find(attribute); at != std::string::npos;
                 at = text.find(attribute, at + 1)) {
                std::size_t start = at + std::strlen(attribute);
                std::string target = text.substr(start, text.find('"', start) - start);
                if (target.rfind("https://", 0) == 0)
                    continue;
                ++count;
                EXPECT_TRUE(std::filesystem::exists(out.Path("HTML/" + target)))
                    << name << " " << target;
            }
        }
        EXPECT_GT(count, 0) << name;
    }
}

TEST_F(GeocachePagesTest, EveryImageShipsWithTheTemplates)
{
    for (const std::string& name : GeocachePageValues::ImageNames()) {
        std::string bytes = test::ReadFileBytes(Shipped().templates + "/" + name);
        EXPECT_EQ(bytes.substr(0, 6), "GIF89a") << name;
    }
    for (const char* name : {"cachetpl.htm", "wptpl.htm", "hint.htm", "page.css"})
        EXPECT_TRUE(std::filesystem::exists(Shipped().templates + "/" + name)) << name;
}

TEST_F(GeocachePagesTest, HostilePageHasNoActiveContentOfItsOwn)
{
    Waypoint w = Cache();
    w.strName = "<script>a()</script>";
    w.geocache.strCacheName = "<SCRIPT>b()</SCRIPT>";
    w.geocache.strEncodedHints = "<img src=x onerror=c()>";
    w.geocache.logs[0].strFinder = "<script>d()</script>";
    w.geocache.logs[0].strText = "<iframe src=evil>";
    w.geocache.strLongDescription = "<p>fine</p><script>e()</script>";
    w.geocache.bLongDescriptionHtml = 1;
    std::string page = test::ReadFileBytes(pages.Render(w, Shipped()));
    std::string hint = test::ReadFileBytes(out.Path("HTML/hinttpl2.htm"));
    ASSERT_FALSE(hint.empty());
    for (const std::string& text : {page, hint}) {
        std::string lower = text;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(lower.find("<img src=x"), std::string::npos);
        EXPECT_EQ(lower.find("<iframe"), std::string::npos);
        EXPECT_EQ(lower.find("<script"), std::string::npos);
        EXPECT_EQ(lower.find("e()"), std::string::npos);
        // The page forbids scripts as well.
        EXPECT_NE(lower.find("script-src 'none'"), std::string::npos);
    }
    EXPECT_NE(page.find("<p>fine</p>"), std::string::npos);
}

TEST_F(GeocachePagesTest, MissingTemplateRendersNothing)
{
    GeocachePageFolders folders{out.Path("no-templates"), out.Path("HTML")};
    EXPECT_EQ(pages.Render(Cache(), folders), "");
    EXPECT_FALSE(std::filesystem::exists(out.Path("HTML/gc.htm")));
    EXPECT_FALSE(std::filesystem::exists(out.Path("HTML/gc2.htm")));

    // A page that cannot be written fails too.
    test::WriteFileBytes(out.Path("file"), "x");
    EXPECT_EQ(pages.Render(Cache(), {Shipped().templates, out.Path("file")}), "");
}

TEST_F(GeocachePagesTest, LanguageTemplatesWithTheSourceOnesBehind)
{
    GeocachePageFolders english = Shipped();
    english.language = "en";
    Waypoint w = Cache();
    w.geocache.strContainer = "小";
    std::string page = test::ReadFileBytes(pages.Render(w, english));
    std::string hint = test::ReadFileBytes(out.Path("HTML/hinttpl2.htm"));
    EXPECT_NE(page.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_NE(page.find("<th>Difficulty</th>"), std::string::npos);
    EXPECT_NE(hint.find("<h2>Hint</h2>"), std::string::npos);
    // The record's own texts are written as they are.
    EXPECT_NE(page.find("<td>小</td>"), std::string::npos);
    Waypoint plain = Cache();
    plain.geocache.strPlacedBy.clear();
    EXPECT_NE(test::ReadFileBytes(pages.Render(plain, english)).find("<title>Waypoint</title>"),
              std::string::npos);

    // Every English template has the placeholders of its source.
    for (const char* name : {"cachetpl.htm", "wptpl.htm", "hint.htm"}) {
        const auto keys = [](const std::string& text) {
            std::vector<std::string> found;
            for (std::size_t at = text.find("<!--HW_"); at != std::string::npos;
                 at = text.find("<!--HW_", at + 1))
                found.push_back(text.substr(at, text.find("-->", at) - at));
            return found;
        };
        EXPECT_EQ(keys(test::ReadFileBytes(Shipped().templates + "/en/" + name)),
                  keys(test::ReadFileBytes(Shipped().templates + "/" + name)))
            << name;
    }

    // A language without templates of its own, or a user's template folder
    // without that language, renders the source templates.
    std::filesystem::create_directories(out.Path("user/HTML/en"));
    std::filesystem::copy(Shipped().templates, out.Path("user/HTML"),
                          std::filesystem::copy_options::recursive);
    std::filesystem::remove(out.Path("user/HTML/en/hint.htm"));
    GeocachePageFolders user{out.Path("user/HTML"), out.Path("user/HTML"), "en"};
    EXPECT_NE(test::ReadFileBytes(pages.Render(w, user)).find("<th>Difficulty</th>"),
              std::string::npos);
    EXPECT_NE(test::ReadFileBytes(out.Path("user/HTML/hinttpl2.htm")).find("<h2>提示</h2>"),
              std::string::npos);
    english.language = "fr";
    EXPECT_NE(test::ReadFileBytes(pages.Render(w, english)).find("<th>难度</th>"),
              std::string::npos);
}

TEST_F(GeocachePagesTest, FoldersFollowAppDir)
{
    GeocachePageFolders f =
        GeocachePages::Folders(store, "/usr/share/hikewise/templates", "/home/u/HTML");
    EXPECT_EQ(f.templates, "/usr/share/hikewise/templates");
    EXPECT_EQ(f.pages, "/home/u/HTML");
    store.SetText("设置", "AppDir", "/opt/hikewise/");
    f = GeocachePages::Folders(store, "/usr/share/hikewise/templates", "/home/u/HTML");
    EXPECT_EQ(f.templates, "/opt/hikewise/HTML");
    EXPECT_EQ(f.pages, "/opt/hikewise/HTML");

    // Templates and pages in one folder: rendered in place.
    std::filesystem::create_directories(out.Path("app/HTML"));
    std::filesystem::copy(Shipped().templates, out.Path("app/HTML"),
                          std::filesystem::copy_options::recursive);
    store.SetText("设置", "AppDir", out.Path("app"));
    EXPECT_EQ(pages.Render(Cache(), GeocachePages::Folders(store, "", "")),
              out.Path("app/HTML/gc2.htm"));
}

} // namespace
} // namespace hw
