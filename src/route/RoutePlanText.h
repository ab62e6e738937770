#pragma once

#include "route/PlanningNetwork.h"
#include "route/RoutePlanner.h"

#include <string>

namespace hw {

class PositionFormatter;
class UnitFormatter;

// What the status bar says about routing, in the interface language and the
// user's units: a planned route's length, climb and walking time, why there
// is none, and why routes cannot be planned at all.
class RoutePlanText {
public:
    RoutePlanText(const UnitFormatter& units, const PositionFormatter& positions)
        : units_(units), positions_(positions)
    {
    }

    // The outcome of a plan of a request; fromCentre: planned without a
    // fix, from the map's centre.
    std::string Outcome(const RoutePlan& plan, const RouteRequest& request, bool fromCentre) const;
    // "1 小时 05 分", "25 分": the walking time in whole minutes.
    static std::string Duration(double seconds);
    // Empty for Lack::None.
    static std::string LackText(PlanningNetwork::Lack lack);
    // A network or terrain that could not be read.
    static std::string FailureText(const std::string& error);

private:
    const UnitFormatter& units_;
    const PositionFormatter& positions_;
};

} // namespace hw
