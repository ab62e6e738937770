#pragma once

#include <QString>

#include <string>

class QDialog;
class QWidget;

namespace hw {

// The message boxes of the map's file and waypoint commands, by name, as
// `--dialog` shows them: the import summary and error, the database's
// recovery and replace questions, the questions of "found" and the visits.
class MapMessageBoxes {
public:
    // nullptr for a name that is none of them.
    static QDialog* Make(const QString& name, int waypointCount, const std::string& databasePath,
                         QWidget* parent);
};

} // namespace hw
