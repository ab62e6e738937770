// course-follow COURSE NMEA [--off M] [--reverse] [--terrain DEM]: the
// first course of a file followed over a recorded walk, fix by fix.
#include "NmeaLogFeed.h"
#include "ToolCommand.h"
#include "ToolOptions.h"

#include "base/JsonWriter.h"
#include "course/CourseFile.h"
#include "course/CourseFollower.h"
#include "terrain/TerrainFile.h"

#include <cmath>
#include <cstdio>

namespace hw::tool {
namespace {

void RealOrNull(JsonWriter& j, double v, int decimals)
{
    if (std::isfinite(v))
        j.Real(v, decimals);
    else
        j.Null();
}

int Run(const Args& given)
{
    Args args = given;
    std::string terrainPath, error;
    FollowSettings settings;
    bool reverse = TakeFlag(args, "--reverse");
    if (!TakeNumberOption(args, "--off", settings.offCourseM, error) ||
        !TakeTextOption(args, "--terrain", terrainPath, error) || !NoOptionsLeft(args, error))
        return Fail(error);
    if (args.size() != 2)
        return Fail("usage: course-follow COURSE NMEA [--off M] [--reverse] [--terrain DEM]");
    if (!(settings.offCourseM >= FollowSettings::kMinOffCourseM &&
          settings.offCourseM <= FollowSettings::kMaxOffCourseM))
        return Fail("--off takes a distance from 10 to 500 metres");
    TerrainFile terrain;
    if (!terrainPath.empty() && !terrain.Open(terrainPath, error))
        return Fail(error);
    CourseFile file = ReadCourseFile(args[0]);
    if (file.status != CourseFile::Status::Ok)
        return Fail(file.error);

    CourseFollower follower(file.courses.front(), reverse, &terrain, settings);
    uint64_t fixes = 0, offEvents = 0;
    std::string out;
    auto onGga = [&](const GpsFix& gps) {
        std::optional<FollowFix> fix = FollowFixFrom(gps);
        if (!fix)
            return;
        ++fixes;
        if (follower.State().arrived)
            return;
        for (const CourseEvent& e : follower.Update(fix->lat, fix->lon, fix->timeS))
            offEvents += e.kind == CourseEvent::Kind::OffCourse ? 1 : 0;
        const FollowState& s = follower.State();
        out.clear();
        JsonWriter j(out);
        j.BeginObject().Key("time");
        RealOrNull(j, fix->timeS, 0);
        j.Key("along_m").Real(s.alongM, 1).Key("to_go_m").Real(s.toGoM, 1);
        j.Key("xte_m").Real(s.xteM, 1).Key("off").Bool(s.off).Key("ascent_to_go_m");
        RealOrNull(j, s.ascentToGoM, 1);
        j.EndObject();
        out += '\n';
        std::fwrite(out.data(), 1, out.size(), stdout);
    };
    if (!FeedNmeaLog(args[1], onGga, error))
        return Fail(error);
    out.clear();
    JsonWriter j(out);
    j.BeginObject().Key("fixes").UInt(fixes).Key("off_events").UInt(offEvents);
    j.Key("arrived").Bool(follower.State().arrived).EndObject();
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar(
    {"course-follow", "COURSE NMEA [--off M] [--reverse] [--terrain DEM]",
     "follow the first course of COURSE over a recorded NMEA log as the program does: one JSON "
     "line per fix until the arrival {time, along_m, to_go_m, xte_m, off, ascent_to_go_m}, then "
     "{fixes, off_events, arrived}; --off the off-course distance in metres (default 50)",
     &Run});

} // namespace
} // namespace hw::tool
