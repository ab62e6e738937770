#pragma once

#include "waypoints/Waypoint.h"

#include <deque>
#include <optional>
#include <string>

namespace hw {

// The messages waiting for the message window: alarms that fire while a
// message is shown wait their turn, and each is shown when the one before
// it hides. A waypoint waits once however often its alarm fires; a tapped
// waypoint is shown at once.
class WaypointMessageQueue {
public:
    struct Request {
        Waypoint waypoint;
        std::string title;
        int messageType = 0;
        int displayMs = 0;
    };

    // An alarm: true when it is to be shown now (nothing shown), otherwise
    // it waits.
    bool OfferAlarm(const Request& request, bool showing);
    // The next message once the shown one hid; nothing when none waits.
    std::optional<Request> Next();
    size_t Waiting() const { return waiting_.size(); }
    void Clear() { waiting_.clear(); }

private:
    std::deque<Request> waiting_;
};

} // namespace hw
