#include "track/TrackAutosave.h"

#include "base/Folders.h"

namespace hw {

bool TrackAutosave::Tick(const std::string& path)
{
    const uint64_t changes = log_.Changes();
    if (!enabled_ || path.empty() || changes == outcome_->saved)
        return false;
    if (changes == asked_ && !outcome_->failing)
        return false; // on its way
    asked_ = changes;
    // A fresh account has no documents folder yet.
    EnsureParentFolder(path);
    // The bytes are taken here, on the caller's thread; the disk work is the
    // writer's.
    auto bytes = std::make_shared<const std::string>(log_.FileBytes());
    writer_.Write(
        path, [bytes](ByteSink& sink) { return sink.Write(bytes->data(), bytes->size()); },
        [outcome = outcome_, changes](bool written) {
            if (written)
                outcome->saved = changes;
            outcome->failing = !written;
        });
    return true;
}

bool TrackAutosave::TakeNewFailure()
{
    if (!outcome_->failing) {
        told_ = false;
        return false;
    }
    if (told_)
        return false;
    told_ = true;
    return true;
}

} // namespace hw
