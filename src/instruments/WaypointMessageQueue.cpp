#include "instruments/WaypointMessageQueue.h"

namespace hw {

bool WaypointMessageQueue::OfferAlarm(const Request& request, bool showing)
{
    if (!showing && waiting_.empty())
        return true;
    for (Request& waiting : waiting_) {
        if (waiting.waypoint.strName == request.waypoint.strName) {
            waiting = request; // the newest state of the same waypoint
            return false;
        }
    }
    waiting_.push_back(request);
    return false;
}

std::optional<WaypointMessageQueue::Request> WaypointMessageQueue::Next()
{
    if (waiting_.empty())
        return std::nullopt;
    Request next = std::move(waiting_.front());
    waiting_.pop_front();
    return next;
}

} // namespace hw
