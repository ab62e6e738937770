#include "TestFiles.h"

#include "bench/PocketQuery.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/XmlFileParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hw {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// The parser's events as lines, adjacent character data joined: the same
// document gives the same lines however it was cut into blocks.
struct Events {
    std::vector<std::string> lines;
    bool inText = false;

    static void OnStart(void* self, const char* name, const char** attributes)
    {
        auto* e = static_cast<Events*>(self);
        std::string line = std::string("<") + name;
        for (int i = 0; attributes[i]; i += 2)
            line += std::string(" ") + attributes[i] + "=" + attributes[i + 1];
        e->lines.push_back(line);
        e->inText = false;
    }
    static void OnEnd(void* self, const char* name)
    {
        auto* e = static_cast<Events*>(self);
        e->lines.push_back(std::string("/") + name);
        e->inText = false;
    }
    static void OnText(void* self, const char* text, int length)
    {
        auto* e = static_cast<Events*>(self);
        if (!e->inText)
            e->lines.emplace_back("=");
        e->lines.back().append(text, static_cast<size_t>(length));
        e->inText = true;
    }
};

// The whole document given to Expat at once: the plainest way to parse it.
std::string ParseAtOnce(const std::string& bytes, Events& events)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &events);
    XML_SetElementHandler(parser, &Events::OnStart, &Events::OnEnd);
    XML_SetCharacterDataHandler(parser, &Events::OnText);
    std::string error;
    if (XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) == XML_STATUS_ERROR)
        error = std::string("XML Parse Error: ") + XML_ErrorString(XML_GetErrorCode(parser)) +
                " at line " + std::to_string(XML_GetCurrentLineNumber(parser));
    XML_ParserFree(parser);
    return error;
}

class Progress final : public ImportProgress {
public:
    void SetRange(int maximum) override { range = maximum; }
    void Step() override { ++steps; }
    int range = -1;
    int steps = 0;
};

TEST(XmlFileParser, StreamsAFileAsExpatParsesItWhole)
{
    // Some 40 blocks of reading, with multi-byte characters and entities
    // falling across the block edges somewhere.
    TempDir dir;
    const std::string path = dir.Path("pq.gpx");
    ASSERT_TRUE(bench::WritePocketQuery(path, 400));
    const std::string bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 40 * XmlFileParser::kReadSize);

    Events streamed, whole;
    XmlFileParser parser(&streamed, &Events::OnStart, &Events::OnEnd, &Events::OnText);
    Progress progress;
    ASSERT_TRUE(parser.Parse(path, &progress)) << parser.Error();
    EXPECT_EQ(ParseAtOnce(bytes, whole), "");
    EXPECT_EQ(streamed.lines, whole.lines);
    EXPECT_EQ(progress.range, static_cast<int>(bytes.size() / 8192 + 1));
    EXPECT_EQ(progress.steps, progress.range);
}

TEST(XmlFileParser, CutOffAndHostileFilesReportWhereExpatStops)
{
    TempDir dir;
    const std::string path = dir.Path("pq.gpx");
    ASSERT_TRUE(bench::WritePocketQuery(path, 60));
    const std::string good = ReadFileBytes(path);
    // Cut off deep in the file; an undefined entity and a stray byte after
    // several blocks; a tag that does not close.
    std::string cut = good.substr(0, good.size() * 2 / 3);
    std::string entity = good;
    entity.insert(good.size() / 2, "&bogus;");
    std::string stray = good;
    stray.insert(good.size() * 3 / 4, "\xFF");
    std::string mismatched = good;
    mismatched.replace(mismatched.rfind("</wpt>"), 6, "</wp>");
    for (const std::string& bad : {cut, entity, stray, mismatched}) {
        WriteFileBytes(path, bad);
        Events streamed, whole;
        XmlFileParser parser(&streamed, &Events::OnStart, &Events::OnEnd, &Events::OnText);
        EXPECT_FALSE(parser.Parse(path, nullptr));
        const std::string expected = ParseAtOnce(bad, whole);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(parser.Error(), expected);
    }

    // The import keeps the caches read before the fault and says where it was.
    WriteFileBytes(path, cut);
    WaypointDatabase db;
    const ImportResult r = ImportGpx(db, path, false);
    Events whole;
    EXPECT_EQ(r.error, ParseAtOnce(cut, whole));
    EXPECT_GT(r.added, 30);
    EXPECT_LT(r.added, 60);
    EXPECT_EQ(db.Count(), r.added);
}

TEST(XmlFileParser, ImportOfAPocketQueryGivesTheSameFileAsItsCachesOneByOne)
{
    // The same caches, streamed from one large file and from a small file
    // each, make the same database file.
    TempDir dir;
    const std::string path = dir.Path("pq.gpx");
    ASSERT_TRUE(bench::WritePocketQuery(path, 120));
    const std::string bytes = ReadFileBytes(path);
    WaypointDatabase streamed, single;
    const ImportResult r = ImportGpx(streamed, path, false);
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.added, 120);

    const size_t bodyStart = bytes.find("<wpt ");
    const std::string head = bytes.substr(0, bodyStart);
    for (size_t at = bodyStart; bytes.compare(at, 5, "<wpt ") == 0;) {
        const size_t end = bytes.find("</wpt>", at) + 6;
        WriteFileBytes(dir.Path("one.gpx"), head + bytes.substr(at, end - at) + "</gpx>\n");
        ASSERT_EQ(ImportGpx(single, dir.Path("one.gpx"), false).added, 1);
        at = bytes.find_first_not_of(" \n", end);
    }
    ASSERT_EQ(SaveWaypointDatabase(streamed, dir.Path("streamed.wpt")), 1);
    ASSERT_EQ(SaveWaypointDatabase(single, dir.Path("single.wpt")), 1);
    EXPECT_EQ(ReadFileBytes(dir.Path("streamed.wpt")), ReadFileBytes(dir.Path("single.wpt")));
}

} // namespace
} // namespace hw
