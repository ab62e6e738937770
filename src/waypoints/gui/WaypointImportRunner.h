#pragma once

#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointImportJob.h"
#include "widgets/ProgressWindow.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <string>

class QThread;
class QWidget;

namespace hw {

// Runs an import off the UI thread, so that the windows stay live: the job
// works on a copy of the database and saves it, while a progress window
// (for large files) shows how far it has come. The window under the
// progress takes no input meanwhile. Finished() comes on the UI thread.
class WaypointImportRunner : public QObject {
    Q_OBJECT
public:
    // Files of at least this many bytes together get a progress window.
    static constexpr qint64 kProgressBytes = 256 * 1024;
    static constexpr const char* kProgressText =
        QT_TRANSLATE_NOOP("hw::WaypointImportRunner", "导入路点...");

    WaypointImportRunner(const WaypointDatabase& db, WaypointImportJob job, std::string savePath,
                         QWidget* over);
    ~WaypointImportRunner() override;

    void Start();
    bool Running() const { return running_; }
    // After Finished(): the database with the import, and what it did.
    WaypointDatabase& Imported() { return db_; }
    const WaypointImportJob::Result& Result() const { return result_; }
    ProgressWindow* Progress() const { return progress_; }

signals:
    void Finished();

private:
    void ShowProgress();
    void OnThreadDone();

    WaypointDatabase db_;
    WaypointImportJob job_;
    std::string savePath_;
    QWidget* over_;
    WaypointImportJob::Result result_;
    ImportProgressCounter counter_;
    QThread* thread_ = nullptr;
    QPointer<ProgressWindow> progress_; // a child of the window it is over
    QTimer poll_;
    bool running_ = false;
};

} // namespace hw
