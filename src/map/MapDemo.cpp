#include "map/MapDemo.h"

#include "basemap/RoadLayer.h"
#include "course/CourseFile.h"
#include "terrain/TerrainLayer.h"
#include "waypoints/WaypointImport.h"

#include <utility>

namespace hw {

void MapDemo::Start(const Locate& locate, Own own)
{
    Stop();
    // A demo file that cannot be read is the program's fault, not the
    // user's: the layer stays empty without a message.
    if (!own.roads && !(roadsOpened_ = roads_.Open(locate(kMapFile))))
        roads_.Close();
    if (!own.terrain && !(terrainOpened_ = terrain_.Open(locate(kTerrainFile))))
        terrain_.Close();
    CourseFile course = ReadCourseFile(locate(kCourseFile));
    if (!course.courses.empty())
        course_ = std::move(course.courses.front());
    ImportGpx(caches_, locate(kCachesFile), false);
}

void MapDemo::Stop()
{
    if (roadsOpened_)
        roads_.Close();
    if (terrainOpened_)
        terrain_.Close();
    roadsOpened_ = terrainOpened_ = false;
    course_.reset();
    caches_.Clear();
}

} // namespace hw
