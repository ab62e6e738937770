// course-info FILE [--terrain DEM]: the figures of every course of a file.
#include "ToolCommand.h"
#include "ToolOptions.h"

#include "base/JsonWriter.h"
#include "course/CourseFile.h"
#include "course/CourseProfile.h"
#include "terrain/TerrainFile.h"

#include <cstdio>
#include <optional>

namespace hw::tool {
namespace {

void OptionalReal(JsonWriter& j, const std::optional<double>& v)
{
    if (v)
        j.Real(*v, 1);
    else
        j.Null();
}

// The terrain named by --terrain, opened; false with a message.
bool OpenTerrain(const std::string& path, TerrainFile& terrain, std::string& error)
{
    return path.empty() || terrain.Open(path, error);
}

int Run(const Args& given)
{
    Args args = given;
    std::string terrainPath, error;
    if (!TakeTextOption(args, "--terrain", terrainPath, error) || !NoOptionsLeft(args, error))
        return Fail(error);
    if (args.size() != 1)
        return Fail("usage: course-info FILE [--terrain DEM]");
    TerrainFile terrain;
    if (!OpenTerrain(terrainPath, terrain, error))
        return Fail(error);
    CourseFile file = ReadCourseFile(args[0]);
    if (file.status != CourseFile::Status::Ok)
        return Fail(file.error);
    std::string out;
    for (const Course& course : file.courses) {
        CourseFigures f = CourseProfile(course, &terrain).Figures(1.0);
        out.clear();
        JsonWriter j(out);
        j.BeginObject().Key("name").String(course.name);
        j.Key("kind").String(CourseKindName(course.kind));
        j.Key("points").UInt(f.points).Key("length_m").Real(f.lengthM, 1);
        j.Key("ascent_m");
        OptionalReal(j, f.ascentM);
        j.Key("descent_m");
        OptionalReal(j, f.descentM);
        j.Key("min_ele");
        OptionalReal(j, f.minEle);
        j.Key("max_ele");
        OptionalReal(j, f.maxEle);
        j.Key("time_s").Real(f.timeS, 0);
        j.Key("bounds").BeginObject();
        j.Key("minlat").Real(f.bounds.minLat).Key("minlon").Real(f.bounds.minLon);
        j.Key("maxlat").Real(f.bounds.maxLat).Key("maxlon").Real(f.bounds.maxLon);
        j.EndObject().EndObject();
        out += '\n';
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar(
    {"course-info", "FILE [--terrain DEM]",
     "the courses (tracks and routes) of a GPX, KML or track file, one JSON line each: name, "
     "kind, points, length_m, ascent_m, descent_m, min_ele, max_ele (null without heights), "
     "time_s by Tobler's hiking function, bounds; heights from the terrain file where it "
     "covers the points",
     &Run});

} // namespace
} // namespace hw::tool
