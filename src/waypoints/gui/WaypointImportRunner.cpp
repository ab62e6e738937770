#include "waypoints/gui/WaypointImportRunner.h"

#include "widgets/ProgressWindow.h"

#include <QFileInfo>
#include <QThread>

namespace hw {

WaypointImportRunner::WaypointImportRunner(const WaypointDatabase& db, WaypointImportJob job,
                                           std::string savePath, QWidget* over)
    : db_(db), job_(std::move(job)), savePath_(std::move(savePath)), over_(over)
{
    poll_.setInterval(50);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (progress_)
            progress_->SetPerMille(counter_.PerMille());
    });
}

WaypointImportRunner::~WaypointImportRunner()
{
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
    delete progress_;
}

void WaypointImportRunner::Start()
{
    running_ = true;
    qint64 bytes = 0;
    for (const std::string& path : job_.Files())
        bytes += QFileInfo(QString::fromStdString(path)).size();
    if (bytes >= kProgressBytes)
        ShowProgress();
    thread_ = QThread::create([this] { result_ = job_.Run(db_, savePath_, &counter_); });
    connect(thread_, &QThread::finished, this, &WaypointImportRunner::OnThreadDone);
    thread_->start();
    poll_.start();
}

void WaypointImportRunner::ShowProgress()
{
    progress_ = new ProgressWindow(over_, 239, 0, 1000, 1);
    progress_->setObjectName(QStringLiteral("ImportProgress"));
    progress_->SetText(tr(kProgressText));
    // Nothing may change the database while its copy is being imported into.
    progress_->setWindowModality(Qt::ApplicationModal);
    progress_->show();
}

void WaypointImportRunner::OnThreadDone()
{
    poll_.stop();
    if (progress_) {
        progress_->SetPerMille(1000);
        progress_->hide();
    }
    running_ = false;
    emit Finished();
}

} // namespace hw
