#include "gps/gui/ReceiverSearchDialog.h"

#include "gps/GpsLink.h"
#include "gps/NmeaParser.h"
#include "gps/SerialPort.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QVBoxLayout>

namespace hw {

ReceiverSearchDialog::ReceiverSearchDialog(SettingsStore& settings, GpsLink& link,
                                           NmeaParser& parser, SerialPort& port, UiPacer& pacer,
                                           QWidget* parent)
    : QDialog(parent), host_(link, port, parser, pacer), search_(host_, settings)
{
    setObjectName(QStringLiteral("ReceiverSearchDialog"));
    setWindowTitle(tr("查找 GPS"));
    auto* grid = new QGridLayout;
    portLabel_ = new QLabel(this);
    baudLabel_ = new QLabel(this);
    status_ = new QLabel(this);
    status_->setMinimumWidth(200);
    grid->addWidget(new QLabel(tr("端口:"), this), 0, 0);
    grid->addWidget(portLabel_, 0, 1);
    grid->addWidget(new QLabel(tr("波特率:"), this), 1, 0);
    grid->addWidget(baudLabel_, 1, 1);
    grid->addWidget(new QLabel(tr("状态:"), this), 2, 0);
    grid->addWidget(status_, 2, 1);
    // In the order of ReceiverSearch::Sentence.
    const char* names[] = {"GPGGA", "GPGSA", "GPRMC", "GPGSV"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(names[i]), this), 3 + i, 0);
        readouts_[static_cast<std::size_t>(i)] = new QLabel(QStringLiteral("---"), this);
        grid->addWidget(readouts_[static_cast<std::size_t>(i)], 3 + i, 1);
    }
    progress_ = new QProgressBar(this);
    progress_->setRange(0, ReceiverSearch::kProgressRange);
    progress_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(progress_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(&timer_, &QTimer::timeout, this, &ReceiverSearchDialog::OnTick);
}

void ReceiverSearchDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_)
        return;
    started_ = true;
    search_.Start();
    ShowReadouts();
    timer_.start(kTickMs);
}

void ReceiverSearchDialog::OnTick()
{
    search_.Tick();
    ShowReadouts();
    if (search_.Running())
        return;
    timer_.stop();
    const QString text = QString::fromStdString(search_.FinalMessage());
    if (search_.Result() == ReceiverSearch::Outcome::Found)
        QMessageBox::information(this, windowTitle(), text);
    else
        QMessageBox::warning(this, windowTitle(), text);
    accept();
}

void ReceiverSearchDialog::ShowReadouts()
{
    portLabel_->setText(QString::number(search_.ShownPort()));
    baudLabel_->setText(QString::number(search_.ShownBaud()));
    status_->setText(QString::fromStdString(search_.Status()));
    for (int i = 0; i < 4; ++i)
        readouts_[static_cast<std::size_t>(i)]->setText(
            QString::fromStdString(search_.Readout(static_cast<ReceiverSearch::Sentence>(i))));
    progress_->setValue(search_.Progress());
}

} // namespace hw
