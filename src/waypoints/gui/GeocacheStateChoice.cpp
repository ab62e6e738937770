#include "waypoints/gui/GeocacheStateChoice.h"

#include "waypoints/Waypoint.h"
#include "waypoints/WaypointSymbol.h"
#include "waypoints/WaypointTables.h"
#include "waypoints/gui/SymbolStrips.h"

#include <QComboBox>

#include <limits>

namespace hw {

QComboBox* GeocacheStateChoice(QWidget* parent)
{
    auto* choice = new QComboBox(parent);
    choice->setObjectName(QStringLiteral("GeocacheState"));
    choice->setIconSize(QSize(15, 15));
    SymbolStrips& strips = SymbolStrips::Shared();
    for (int i = 0; i < kGeocacheStateCount; ++i) {
        Waypoint w;
        w.nGeocacheState = i;
        w.bUseGeocacheStateForIconID = 1;
        // Long after its creation: state 0 shows the plain cache symbol.
        const int symbol = WaypointSymbol::Choose(w, std::numeric_limits<int32_t>::max());
        choice->addItem(QIcon(strips.Symbol(symbol, false)),
                        QString::fromStdString(ShownTableName(GeocacheStateNames[i])), i);
    }
    return choice;
}

} // namespace hw
