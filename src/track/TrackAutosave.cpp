#include "track/TrackAutosave.h"

namespace hw {

bool TrackAutosave::Tick(const std::string& path)
{
    if (!enabled_ || path.empty() || log_.Changes() == saved_)
        return false;
    // The bytes are taken here, on the caller's thread; the disk work is the
    // writer's.
    writer_.Write(path, log_.FileBytes());
    saved_ = log_.Changes();
    return true;
}

} // namespace hw
