#include "TestFiles.h"

#include "base/TextCodec.h"
#include "base/Utf8.h"
#include "waypoints/GpxWaypointWriter.h"
#include "waypoints/WaypointImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

namespace hw {
namespace {

using test::PeerDataDir;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteNewFile;

// Runs a test in a fixed time zone, so that local times are known.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone)
    {
        const char* old = std::getenv("TZ");
        saved_ = old ? old : "";
        hadZone_ = old != nullptr;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneScope()
    {
        if (hadZone_)
            setenv("TZ", saved_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string saved_;
    bool hadZone_;
};

// An independent reading of the peer files by plain text search: element
// texts with line ends normalised and the five entities undone, as every
// XML reader must.
void ReplaceAll(std::string& s, const std::string& from, const std::string& to)
{
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

std::string Unescape(std::string s)
{
    ReplaceAll(s, "\r\n", "\n");
    ReplaceAll(s, "\r", "\n");
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        ReplaceAll(s, from, to);
    return s;
}

struct Element {
    std::string openTag; // "<name attr=...>"
    std::string inner;   // raw text between the tags
};

// Every element named tag, in document order (not nested in itself).
std::vector<Element> Elements(const std::string& xml, const std::string& tag)
{
    std::vector<Element> found;
    std::string close = "</" + tag + ">";
    for (size_t at = xml.find("<" + tag); at != std::string::npos;
         at = xml.find("<" + tag, at + 1)) {
        char after = xml[at + tag.size() + 1];
        if (after != '>' && after != ' ' && after != '\n' && after != '\r' && after != '\t')
            continue;
        size_t openEnd = xml.find('>', at);
        size_t end = xml.find(close, openEnd);
        if (openEnd == std::string::npos || end == std::string::npos)
            break;
        found.push_back(
            {xml.substr(at, openEnd + 1 - at), xml.substr(openEnd + 1, end - openEnd - 1)});
        at = end;
    }
    return found;
}

std::string ElementText(const std::string& xml, const std::string& tag)
{
    std::vector<Element> e = Elements(xml, tag);
    return e.empty() ? std::string() : Unescape(e[0].inner);
}

std::string AttributeOf(const std::string& openTag, const std::string& name)
{
    size_t at = openTag.find(" " + name + "=\"");
    if (at == std::string::npos)
        return {};
    at += name.size() + 3;
    return Unescape(openTag.substr(at, openTag.find('"', at) - at));
}

int32_t Micro(const std::string& degrees)
{
    return static_cast<int32_t>(std::strtod(degrees.c_str(), nullptr) * 1000000.0);
}

std::vector<Waypoint> All(const WaypointDatabase& db)
{
    std::vector<Waypoint> all;
    db.ForEach([&](const Waypoint& w) { all.push_back(w); });
    return all;
}

const Waypoint* Named(const std::vector<Waypoint>& all, const std::string& name)
{
    for (const Waypoint& w : all)
        if (w.strName == name)
            return &w;
    return nullptr;
}

int32_t LocalSeconds(int y, int mo, int d, int h, int mi, int s)
{
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return static_cast<int32_t>(std::mktime(&tm));
}

std::string Gpx(const std::string& waypoints)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.0\" "
           "xmlns=\"http://www.topografix.com/GPX/1/0\" "
           "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0\">\n" +
           waypoints + "</gpx>\n";
}

class Progress final : public ImportProgress {
public:
    void SetRange(int maximum) override { range = maximum; }
    void Step() override { ++steps; }
    int range = -1;
    int steps = 0;
};

TEST(WaypointImport, PeerGpxWaypoints)
{
    HW_REQUIRE_PEER_DATA("gpx");
    std::string path = PeerDataDir() + "/gpx/geocaching.gpx";
    std::string xml = ReadFileBytes(path);
    WaypointDatabase db;
    Progress progress;
    ImportResult r = ImportGpx(db, path, false, &progress);
    EXPECT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(progress.range, static_cast<int>(xml.size() / 8192 + 1));
    EXPECT_EQ(progress.steps, progress.range);

    std::vector<Waypoint> all = All(db);
    int seen = 0;
    for (const Element& wpt : Elements(xml, "wpt")) {
        ++seen;
        const std::string& body = wpt.inner;
        std::string name = ElementText(body, "name");
        const Waypoint* w = Named(all, name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->nLatitude, Micro(AttributeOf(wpt.openTag, "lat"))) << name;
        EXPECT_EQ(w->nLongitude, Micro(AttributeOf(wpt.openTag, "lon"))) << name;
        EXPECT_EQ(w->strComment, ElementText(body, "desc")) << name;
        EXPECT_EQ(w->strURL, ElementText(body, "url")) << name;
        EXPECT_EQ(w->icon, 0) << name; // "geocache" in lower case is no known symbol
        EXPECT_EQ(w->nType, 0) << name;
    }
    EXPECT_EQ(seen, 9);
    EXPECT_EQ(r.added, 9);
    EXPECT_EQ(db.Count(), 9);

    // Again: every name exists, nothing added; in replace mode all replaced.
    EXPECT_EQ(ImportGpx(db, path, false).added, 0);
    ImportResult again = ImportGpx(db, path, true);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.replaced, 9);
    EXPECT_EQ(db.Count(), 9);
}

TEST(WaypointImport, PeerLocWaypoints)
{
    HW_REQUIRE_PEER_DATA("gpx");
    std::string path = PeerDataDir() + "/gpx/geocaching.loc";
    std::string xml = ReadFileBytes(path);
    WaypointDatabase db;
    ImportResult r = ImportWaypointFile(db, path, false, {});
    EXPECT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.replaced, 0);
    std::vector<Waypoint> all = All(db);
    int seen = 0;
    for (const Element& wpt : Elements(xml, "waypoint")) {
        ++seen;
        Element name = Elements(wpt.inner, "name").at(0);
        const Waypoint* w = Named(all, AttributeOf(name.openTag, "id"));
        ASSERT_NE(w, nullptr) << name.openTag;
        std::string cdata = name.inner.substr(9, name.inner.size() - 12); // <![CDATA[ ... ]]>
        EXPECT_EQ(w->strComment, cdata);
        size_t coord = wpt.inner.find("<coord ");
        std::string coordTag = wpt.inner.substr(coord, wpt.inner.find('>', coord) - coord);
        EXPECT_EQ(w->nLatitude, Micro(AttributeOf(coordTag, "lat")));
        EXPECT_EQ(w->nLongitude, Micro(AttributeOf(coordTag, "lon")));
        EXPECT_EQ(w->strURL, ElementText(wpt.inner, "link"));
        EXPECT_EQ(w->nType, ElementText(wpt.inner, "type").find("Geocache") != std::string::npos);
    }
    EXPECT_EQ(seen, 9);
    EXPECT_EQ(r.added, 9);
}

TEST(WaypointImport, PeerGeocacheWithLogs)
{
    HW_REQUIRE_PEER_DATA("gpx");
    ZoneScope zone("America/Toronto");
    std::string path = PeerDataDir() + "/gpx/GC7FA4.gpx";
    std::string xml = ReadFileBytes(path);
    WaypointDatabase db;
    ImportResult r = ImportGpx(db, path, false);
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.added, 1);
    Waypoint w = All(db)[0];
    std::string body = ElementText(xml, "wpt");

    EXPECT_EQ(w.strName, "GC7FA4");
    EXPECT_EQ(w.nLatitude, 46133333);
    EXPECT_EQ(w.nLongitude, -73000000);
    EXPECT_EQ(w.strComment, ElementText(body, "desc"));
    EXPECT_EQ(w.strURL, ElementText(body, "url"));
    EXPECT_EQ(w.icon, 24); // "Geocache"
    EXPECT_EQ(w.nType, 1);
    EXPECT_EQ(w.bUseGeocacheStateForIconID, 1);
    EXPECT_EQ(w.nGeocacheState, 0); // a locationless cache is none of the known kinds
    EXPECT_EQ(w.timeCreated, LocalSeconds(2002, 8, 15, 0, 0, 0)); // the zone is ignored

    const GeocacheInfo& g = w.geocache;
    EXPECT_EQ(g.bAvailable, 1);
    EXPECT_EQ(g.bArchived, 0);
    EXPECT_EQ(g.strCacheName, ElementText(body, "groundspeak:name"));
    EXPECT_EQ(g.strCacheName, "Points géodésiques du Québec");
    EXPECT_EQ(g.strPlacedBy, ElementText(body, "groundspeak:placed_by"));
    EXPECT_EQ(g.strCacheType, "Locationless (Reverse) Cache");
    EXPECT_EQ(g.strContainer, ElementText(body, "groundspeak:container"));
    EXPECT_EQ(g.nDifficulty, 10);
    EXPECT_EQ(g.nTerrain, 10);
    EXPECT_EQ(g.strCountry, ElementText(body, "groundspeak:country"));
    EXPECT_EQ(g.strState, ElementText(body, "groundspeak:state"));
    EXPECT_EQ(g.strShortDescription, ElementText(body, "groundspeak:short_description"));
    EXPECT_EQ(g.bShortDescriptionHtml, 1);
    EXPECT_EQ(g.strLongDescription, ElementText(body, "groundspeak:long_description"));
    EXPECT_EQ(g.bLongDescriptionHtml, 1);
    EXPECT_EQ(g.strEncodedHints, ElementText(body, "groundspeak:encoded_hints"));

    size_t i = 0;
    for (const Element& e : Elements(xml, "groundspeak:log")) {
        ASSERT_LT(i, 5u);
        const std::string& log = e.inner;
        const GeocacheLog& l = g.logs[i];
        EXPECT_EQ(l.strText, ElementText(log, "groundspeak:text")) << i;
        EXPECT_EQ(l.strFinder, ElementText(log, "groundspeak:finder")) << i;
        EXPECT_EQ(l.nLogType, ElementText(log, "groundspeak:type") == "Found it" ? 1 : 0);
        EXPECT_EQ(l.bTextEncoded, 0);
        std::string date = ElementText(log, "groundspeak:date");
        EXPECT_EQ(l.timeDate,
                  LocalSeconds(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)),
                               std::stoi(date.substr(8, 2)), std::stoi(date.substr(11, 2)), 0, 0));
        ++i;
    }
    EXPECT_EQ(i, 5u);
    EXPECT_EQ(g.logs[0].strFinder, "Christopher R & Pooh B");

    // A sixth log (the first one again, with another finder) is ignored.
    std::string six = xml;
    size_t firstLog = six.find("<groundspeak:log ");
    size_t firstEnd = six.find("</groundspeak:log>") + std::strlen("</groundspeak:log>");
    std::string extra = six.substr(firstLog, firstEnd - firstLog);
    ReplaceAll(extra, "Christopher R &amp; Pooh B", "Sixth");
    six.insert(six.find("</groundspeak:logs>"), extra);
    TempDir dir;
    WriteNewFile(dir.Path("six.gpx"), six);
    WaypointDatabase db6;
    ASSERT_EQ(ImportGpx(db6, dir.Path("six.gpx"), false).added, 1);
    Waypoint w6 = All(db6)[0];
    EXPECT_EQ(w6.geocache, g);
}

TEST(WaypointImport, GpxRules)
{
    ZoneScope zone("UTC");
    TempDir dir;
    WriteNewFile(dir.Path("rules.gpx"), Gpx(R"(
<wpt lat="47.5" lon="-122.25"><sym>Geocache Found</sym><type>Geocache|Traditional</type>
 <groundspeak:cache available="False" archived="True"><groundspeak:difficulty>1.5</groundspeak:difficulty>
 <groundspeak:terrain>4.5x</groundspeak:terrain>
 <groundspeak:short_description html="False">plain</groundspeak:short_description>
 <groundspeak:logs><groundspeak:log><groundspeak:type>Write note</groundspeak:type>
 <groundspeak:text encoded="True">Uryyb</groundspeak:text></groundspeak:log></groundspeak:logs>
 </groundspeak:cache></wpt>
<wpt lat="1" lon="2"><name>multi</name><sym>Geocache</sym><type>Geocache|Multi-cache|Virtual</type>
 <time>2008-07-04</time></wpt>
<wpt lat="3" lon="4"><name>old</name><sym>山顶</sym><type>Waypoint</type>
 <time>1901-12-13T12:00:00Z</time><ele>123.5m</ele><desc>caf&#233; &lt;b&gt; 🦘</desc></wpt>
<wpt lat="5" lon="6"><sym>nothing known</sym></wpt>
)"));
    WaypointDatabase db;
    ImportResult r = ImportGpx(db, dir.Path("rules.gpx"), false);
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.added, 3); // the second nameless waypoint is skipped
    std::vector<Waypoint> all = All(db);

    const Waypoint* found = Named(all, "Untitled");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->nLatitude, 47500000);
    EXPECT_EQ(found->icon, 25);
    EXPECT_EQ(found->nGeocacheState, 5);
    EXPECT_EQ(found->geocache.nDifficulty, 15);
    EXPECT_EQ(found->geocache.nTerrain, 45);
    EXPECT_EQ(found->geocache.bAvailable, 0);
    EXPECT_EQ(found->geocache.bArchived, 1);
    EXPECT_EQ(found->geocache.bShortDescriptionHtml, 0);
    EXPECT_EQ(found->geocache.logs[0].nLogType, kLogWriteNote);
    EXPECT_EQ(found->geocache.logs[0].bTextEncoded, 1);
    EXPECT_EQ(found->geocache.logs[0].strText, "Uryyb");

    const Waypoint* multi = Named(all, "multi");
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->nGeocacheState, 8);
    EXPECT_EQ(multi->timeCreated, LocalSeconds(2008, 7, 4, 0, 0, 0));

    const Waypoint* old = Named(all, "old");
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->icon, 30);
    EXPECT_EQ(old->nType, 0);
    EXPECT_EQ(old->timeCreated, LocalSeconds(1972, 12, 13, 12, 0, 0));
    EXPECT_FLOAT_EQ(old->fAltitude, 123.5f);
    EXPECT_EQ(old->strComment, "café <b> 🦘");

    // Replace mode: the nameless one replaces "Untitled".
    ImportResult again = ImportGpx(db, dir.Path("rules.gpx"), true);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.replaced, 4);
    EXPECT_EQ(db.Count(), 3);
    Waypoint last;
    db.ForEach([&](const Waypoint& w) {
        if (w.strName == "Untitled")
            last = w;
    });
    EXPECT_EQ(last.nLatitude, 5000000); // the last of the two nameless ones
}

TEST(WaypointImport, ParseErrorsKeepWhatWasAdded)
{
    TempDir dir;
    WriteNewFile(dir.Path("broken.gpx"),
                 "<gpx>\n<wpt lat=\"1\" lon=\"1\"><name>a</name></wpt>\n<wpt lat=\"2\" lon=\"2\">"
                 "<name>b</nam></wpt></gpx>");
    WaypointDatabase db;
    ImportResult r = ImportGpx(db, dir.Path("broken.gpx"), false);
    EXPECT_EQ(r.error, "XML Parse Error: mismatched tag at line 3");
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(db.Count(), 1);

    ImportResult missing = ImportGpx(db, dir.Path("missing.gpx"), false);
    EXPECT_FALSE(missing.opened);
    EXPECT_EQ(missing.added, 0);
    EXPECT_EQ(ImportWaypointFile(db, dir.Path("x.kml"), false, {}).error,
              "错误 - 不支持的路点文件");

    // A file of exactly one block ends with an empty final block.
    std::string exact = Gpx("");
    exact.insert(exact.size() - 7, std::string(8192 - exact.size(), ' '));
    ASSERT_EQ(exact.size(), 8192u);
    WriteNewFile(dir.Path("exact.gpx"), exact);
    EXPECT_TRUE(ImportGpx(db, dir.Path("exact.gpx"), false).error.empty());
}

TEST(WaypointImport, HostileXmlIsBounded)
{
    TempDir dir;
    // Entity expansion ("billion laughs": 10^10 characters) is refused by
    // the parser.
    std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE g [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'j'; ++c) {
        bomb += std::string("<!ENTITY ") + c + " \"";
        for (int i = 0; i < 10; ++i)
            bomb += std::string("&") + static_cast<char>(c - 1) + ";";
        bomb += "\">";
    }
    bomb += "]><gpx><wpt lat=\"1\" lon=\"1\"><name>&j;</name></wpt></gpx>";
    WriteNewFile(dir.Path("bomb.gpx"), bomb);
    WaypointDatabase db;
    ImportResult r = ImportGpx(db, dir.Path("bomb.gpx"), false);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(db.Count(), 0);

    // A 300 KB name is cut to 131,072 characters.
    WriteNewFile(dir.Path("long.gpx"), Gpx("<wpt lat=\"1\" lon=\"1\"><name>" +
                                           std::string(300000, 'x') + "</name></wpt>"));
    ASSERT_EQ(ImportGpx(db, dir.Path("long.gpx"), false).added, 1);
    EXPECT_EQ(All(db)[0].strName.size(), 131072u);
}

TEST(WaypointImport, DamagedFilesNeverCrash)
{
    HW_REQUIRE_PEER_DATA("gpx");
    TempDir dir;
    std::mt19937 rng(3);
    // Flipped bits and cuts in every kind of file (the sanitizer build checks
    // memory); at most the file's own waypoints come in.
    const std::pair<const char*, const char*> files[] = {
        {"GC7FA4.gpx", "x.gpx"}, {"geocaching.gpx", "x.gpx"}, {"geocaching.loc", "x.loc"}};
    for (const auto& [peer, name] : files) {
        std::string bytes = ReadFileBytes(PeerDataDir() + "/gpx/" + peer);
        for (int round = 0; round < 150; ++round) {
            std::string damaged =
                bytes.substr(0, round % 3 == 0 ? rng() % bytes.size() : bytes.size());
            for (int flips = 0; flips < 4; ++flips) {
                size_t at = rng() % damaged.size();
                damaged[at] = static_cast<char>(damaged[at] ^ (1 << (rng() % 8)));
            }
            WriteNewFile(dir.Path(name), damaged);
            WaypointDatabase db;
            ImportResult r = ImportWaypointFile(db, dir.Path(name), round % 2 == 0, {});
            EXPECT_LE(r.added, 9);
        }
    }
    for (int round = 0; round < 100; ++round) {
        std::string noise;
        for (size_t i = rng() % 3000; i > 0; --i)
            noise +=
                static_cast<char>(round % 2 ? rng() % 256 : "0123456789.,-\n\r\"e"[rng() % 16]);
        WriteNewFile(dir.Path("x.csv"), noise);
        WaypointDatabase db;
        ImportCsv(db, dir.Path("x.csv"), {});
        // At most one waypoint a line, and noise holds no GPX waypoint.
        const auto lines = 1 + std::count(noise.begin(), noise.end(), '\n') +
                           std::count(noise.begin(), noise.end(), '\r');
        const int fromCsv = db.Count();
        EXPECT_LE(fromCsv, lines);
        WriteNewFile(dir.Path("x.gpx"), noise);
        ImportGpx(db, dir.Path("x.gpx"), true);
        EXPECT_EQ(db.Count(), fromCsv);
    }
}

// The encoding of a LOC or CSV file is chosen once, over all of its bytes:
// "山" in the code page (C9 BD) is also valid UTF-8 ("ɽ"), "顶" (B6 A5) is not.
TEST(WaypointImport, LocAndCsvChooseTheirEncodingOncePerFile)
{
    TempDir dir;
    WriteNewFile(dir.Path("cp.csv"), "8.5,47.1,\xC9\xBD\n8.6,47.2,\xB6\xA5\n");
    WriteNewFile(dir.Path("utf8.csv"), "8.5,47.1,ɽ\n8.6,47.2,顶\n");
    const char* loc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<loc version=\"1.0\">\n"
        "<waypoint><name id=\"GC1\">%s</name><coord lat=\"47.1\" lon=\"8.5\"/></waypoint>\n"
        "<waypoint><name id=\"GC2\">%s</name><coord lat=\"47.2\" lon=\"8.6\"/></waypoint>\n"
        "</loc>\n";
    auto locFile = [&](const char* a, const char* b) {
        std::string text(loc);
        text.replace(text.find("%s"), 2, a);
        text.replace(text.find("%s"), 2, b);
        return text;
    };
    WriteNewFile(dir.Path("cp.loc"), locFile("\xC9\xBD", "\xB6\xA5"));
    WriteNewFile(dir.Path("utf8.loc"), locFile("ɽ", "顶"));

    WaypointDatabase db;
    ASSERT_EQ(ImportCsv(db, dir.Path("cp.csv"), {}).added, 2);
    EXPECT_NE(Named(All(db), "山"), nullptr);
    EXPECT_NE(Named(All(db), "顶"), nullptr);
    WaypointDatabase db2;
    ASSERT_EQ(ImportCsv(db2, dir.Path("utf8.csv"), {}).added, 2);
    EXPECT_NE(Named(All(db2), "ɽ"), nullptr);

    WaypointDatabase db3;
    ImportResult r = ImportLoc(db3, dir.Path("cp.loc"));
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.added, 2);
    std::vector<Waypoint> all = All(db3);
    ASSERT_NE(Named(all, "GC1"), nullptr);
    EXPECT_EQ(Named(all, "GC1")->strComment, "山");
    EXPECT_EQ(Named(all, "GC2")->strComment, "顶");
    WaypointDatabase db4;
    ASSERT_EQ(ImportLoc(db4, dir.Path("utf8.loc")).added, 2);
    EXPECT_EQ(Named(All(db4), "GC1")->strComment, "ɽ");

    // Another code page, as the setting chooses it.
    SetAnsiCodePage(1252);
    WaypointDatabase db5;
    WriteNewFile(dir.Path("west.csv"), "8.5,47.1,caf\xE9\n");
    EXPECT_EQ(ImportCsv(db5, dir.Path("west.csv"), {}).added, 1);
    SetAnsiCodePage(kDefaultAnsiCodePage);
    EXPECT_NE(Named(All(db5), "café"), nullptr);
    EXPECT_TRUE(IsKnownCodePage(1252));
    EXPECT_FALSE(IsKnownCodePage(4242));
}

// The choice holds for a long file whatever the reader's blocks: a run of
// Chinese text across the 64 KiB mark, and a CSV line longer than the
// 1,023 bytes a line is read to, cut inside a character.
TEST(WaypointImport, LongFilesKeepTheirUtf8Text)
{
    TempDir dir;
    const std::string beijing = "北京市海淀区";
    std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<loc version=\"1.0\">\n"
                       "<waypoint><name id=\"GC1\">" +
                       beijing + "</name><coord lat=\"39.9\" lon=\"116.3\"/></waypoint>\n";
    std::string run;
    for (int i = 0; i < 40; ++i)
        run += beijing; // 720 bytes, none ASCII
    // The run starts 300 bytes before the 64 KiB mark.
    const std::string start = "<waypoint><name id=\"GC2\">";
    std::string loc = head + "<!--" + std::string(60000, 'x') + "-->\n";
    loc.resize(65536 - 300 - start.size(), ' ');
    loc += start + run + "</name><coord lat=\"39.8\" lon=\"116.4\"/></waypoint>\n</loc>\n";
    ASSERT_EQ(loc.substr(65536 - 300, run.size()), run);
    WriteNewFile(dir.Path("long.loc"), loc);
    WaypointDatabase db;
    ImportResult r = ImportLoc(db, dir.Path("long.loc"));
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.added, 2);
    std::vector<Waypoint> all = All(db);
    ASSERT_NE(Named(all, "GC1"), nullptr);
    EXPECT_EQ(Named(all, "GC1")->strComment, beijing);
    const std::string& across = Named(all, "GC2")->strComment;
    EXPECT_TRUE(across == run) << across.substr(0, 30) << "...";

    // Byte 1,023 of the second line falls inside a character of its fourth
    // field: the file is UTF-8 all the same.
    std::string csv = "116.3,39.9,北京\n116.4,39.8,海淀,";
    std::string lineStart = csv.substr(csv.find('\n') + 1);
    csv += std::string(1022 - lineStart.size(), 'x') + "区区\n";
    WriteNewFile(dir.Path("long.csv"), csv);
    WaypointDatabase db2;
    ASSERT_EQ(ImportCsv(db2, dir.Path("long.csv"), {}).added, 2);
    EXPECT_NE(Named(All(db2), "北京"), nullptr);
    EXPECT_NE(Named(All(db2), "海淀"), nullptr);
}

// A CSV name is cut between characters: at the 255-byte limit of a field,
// at the end of a line cut at 1,023 bytes, and where an unterminated quote
// takes the last character; in UTF-8 and in the code page alike.
TEST(WaypointImport, CsvNamesKeepWholeCharacters)
{
    TempDir dir;
    std::string bei;
    for (int i = 0; i < 85; ++i)
        bei += "北";
    // "x" and 85 three-byte characters: 256 bytes, byte 255 inside the last.
    // The name "yy京京" starts at byte 1,019: the line's cut takes two bytes of 京.
    std::string longLine = "1,2" + std::string(1015, 'z') + ",yy京京\n";
    WriteNewFile(dir.Path("utf8.csv"), "116.3,39.9,\"北京\n116.4,39.8,x" + bei + "\n" + longLine);
    WaypointDatabase db;
    ASSERT_EQ(ImportCsv(db, dir.Path("utf8.csv"), {}).added, 3);
    std::vector<Waypoint> all = All(db);
    EXPECT_NE(Named(all, "北"), nullptr);
    EXPECT_NE(Named(all, "x" + bei.substr(0, 84 * 3)), nullptr);
    EXPECT_NE(Named(all, "yy"), nullptr);
    for (const Waypoint& w : all)
        EXPECT_TRUE(IsValidUtf8(w.strName)) << w.strName;

    // GBK: 北 is B1 B1, 京 is BE A9.
    std::string gbBei;
    for (int i = 0; i < 127; ++i)
        gbBei += "\xB1\xB1";
    WriteNewFile(dir.Path("cp.csv"), "116.3,39.9,\"\xB1\xB1\xBE\xA9\n116.4,39.8,xy" + gbBei + "\n");
    WaypointDatabase db2;
    ASSERT_EQ(ImportCsv(db2, dir.Path("cp.csv"), {}).added, 2);
    std::vector<Waypoint> all2 = All(db2);
    EXPECT_NE(Named(all2, "北"), nullptr);
    std::string bei126;
    for (int i = 0; i < 126; ++i)
        bei126 += "北";
    EXPECT_NE(Named(all2, "xy" + bei126), nullptr); // 2 + 252 bytes; the 127th is cut
}

TEST(WaypointImport, CsvLines)
{
    TempDir dir;
    WriteNewFile(dir.Path("cams.csv"), "-122.5,47.25,\"Cam 1\"\r\n"
                                       "\r\n"
                                       "8.5,47.1,\xC4\xE3\xBA\xC3\n"
                                       "8.6,47.2,\xC4\xE3\n"
                                       "8.5,47.1,\xC4\xE3\xBA\xC3\n"
                                       "1,2\n");
    WaypointDatabase db;
    Progress progress;
    ImportResult r = ImportCsv(db, dir.Path("cams.csv"), {}, &progress);
    EXPECT_TRUE(r.error.empty());
    EXPECT_EQ(r.added, 4);
    EXPECT_EQ(progress.range, 6);
    std::vector<Waypoint> all = All(db);
    const Waypoint* cam = Named(all, "Cam 1");
    ASSERT_NE(cam, nullptr);
    EXPECT_EQ(cam->nLatitude, 47250000);
    EXPECT_EQ(cam->nLongitude, -122500000);
    EXPECT_EQ(cam->icon, 55);
    EXPECT_EQ(cam->bActiveWaypoint, 1);
    EXPECT_DOUBLE_EQ(cam->dActiveWPDistance, 0.3048);
    EXPECT_EQ(cam->strSoundFile, "Alarm1.wav");
    EXPECT_EQ(cam->strComment, "");
    EXPECT_NE(Named(all, "你"), nullptr); // the code page
    EXPECT_NE(Named(all, ""), nullptr);   // no third field

    CsvImportSettings latFirst;
    latFirst.latitudeFirst = true;
    latFirst.skipFirstLine = true;
    latFirst.alarm = false;
    latFirst.setSymbol = false;
    latFirst.messageType = 4;
    WriteNewFile(dir.Path("latlon.csv"), "lat,lon,name\n47.25,-122.5,A\n95,0,B\n10,10,C\n");
    WaypointDatabase db2;
    r = ImportWaypointFile(db2, dir.Path("latlon.CSV"), false, latFirst);
    EXPECT_EQ(r.error, ""); // no such file: nothing, no message
    EXPECT_FALSE(r.opened);
    r = ImportCsv(db2, dir.Path("latlon.csv"), latFirst);
    EXPECT_EQ(r.error, "地点超出范围.这个操作将中止");
    EXPECT_EQ(r.added, 1); // A stays
    Waypoint a = All(db2)[0];
    EXPECT_EQ(a.nLatitude, 47250000);
    EXPECT_EQ(a.icon, 0);
    EXPECT_EQ(a.bActiveWaypoint, 0);
    EXPECT_EQ(a.nActiveWaypointMessageType, 4);

    // A header read as data: its words read as 0, 0 and make a waypoint.
    WaypointDatabase db3;
    WriteNewFile(dir.Path("header.csv"), "lon,lat,name\n8.5,47.1,A\n");
    r = ImportCsv(db3, dir.Path("header.csv"), {});
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(All(db3)[0].strName, "name");
    EXPECT_EQ(All(db3)[0].nLatitude, 0);
}

TEST(WaypointImport, ExportThenImportRestoresTheExtension)
{
    ZoneScope zone("Asia/Shanghai");
    TempDir dir;
    WaypointDatabase db;
    Waypoint w;
    w.strName = "home ]]> <&>";
    w.nLatitude = 47500000;
    w.nLongitude = -122250000;
    w.fAltitude = 100.25f;
    w.icon = 96;
    w.bActiveWaypoint = 1;
    w.dActiveWPDistance = 0.5;
    w.strSoundFile = "a&b<c>.wav";
    w.nActiveWaypointMessageType = 3;
    w.nType = 1;
    w.nGeocacheState = 14;
    w.bUseGeocacheStateForIconID = 1;
    w.timeGeochacheFound = 1234567890;
    w.strURL = "https://example.org/?a=1&b=2";
    w.strFieldNotes = "a\r\nb";
    w.strComment = "comment";
    w.timeCreated = 1200000000;
    w.geocache.strCacheName = "lost on export";
    db.Add(w);
    Waypoint plain;
    plain.strName = "plain";
    plain.strURL.clear();
    db.Add(plain);
    ASSERT_EQ(ExportGpxFile(db, dir.Path("out.gpx"), 0), 1);

    WaypointDatabase back;
    Waypoint existing;
    existing.strName = w.strName;
    back.Add(existing);
    ImportResult r = ImportGpx(back, dir.Path("out.gpx"), true);
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.replaced, 1);
    std::vector<Waypoint> all = All(back);
    const Waypoint* got = Named(all, w.strName);
    ASSERT_NE(got, nullptr);
    Waypoint expected = w;
    expected.strFieldNotes = "a\nb";
    expected.geocache = GeocacheInfo();
    EXPECT_TRUE(got->SameContent(expected));
    const Waypoint* gotPlain = Named(all, "plain");
    ASSERT_NE(gotPlain, nullptr);
    // No strURL element is written for an empty link: the default comes back.
    EXPECT_EQ(gotPlain->strURL, Waypoint().strURL);
}

} // namespace
} // namespace hw
