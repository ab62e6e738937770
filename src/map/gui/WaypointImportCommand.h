#pragma once

#include "base/CommandTarget.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointImportJob.h"

#include <QObject>
#include <QStringList>

namespace hw {

class MapWnd;

// "导入路点...": the files chosen (several at once), dropped on the window or
// named at start go through their importers into the map's database, off
// the UI thread, with the map paused meanwhile; then the database is saved
// and the summary shown.
class WaypointImportCommand : public QObject, public CommandTarget {
    Q_OBJECT
public:
    explicit WaypointImportCommand(MapWnd& map);
    ~WaypointImportCommand() override;

    // Imports the files. askCsv: show the CSV sheet first when a CSV file is
    // among them (else its defaults). quiet: print the summary on standard
    // output as JSON, and errors on standard error, instead of showing
    // them. False when an import is already running.
    bool Import(const QStringList& files, bool askCsv, bool quiet);
    bool Running() const;
    // The files a drop or the command line may carry: GPX, XML, LOC, CSV.
    static bool IsImportable(const QString& path);

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;

signals:
    // After the summary: the counts of the whole run.
    void Finished(int added, int replaced);

private:
    void OnFinished(WaypointDatabase& imported, const WaypointImportJob::Result& result);

    MapWnd& map_;
    bool quiet_ = false;
};

} // namespace hw
