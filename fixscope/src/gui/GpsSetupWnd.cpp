#include "gui/GpsSetupWnd.h"

#include "core/CommandSentence.h"
#include "core/PortMap.h"
#include "core/SerialChannel.h"
#include "gui/ControlIds.h"
#include "gui/Controls.h"
#include "gui/LogListBox.h"
#include "gui/PortScanDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace fixscope {

namespace {

constexpr int kRates[] = {1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200};
constexpr int kDefaultRate = 4800;

constexpr char kHotStart[] = "$PSRF104,0,0,0,96000,237759,922,12,1*";
constexpr char kColdStart[] = "$PSRF104,0,0,0,96000,237759,922,12,4*";
constexpr char kWarmStart[] = "$PSRF104,0,0,0,96000,237759,922,12,2*";
constexpr char kPowerSaveOn[] = "$PSRF107,0,400,1000*";
constexpr char kPowerSaveOff[] = "$PSRF107,0,1000,1000*";
constexpr char kSbasOn[] = "$PSRF108,01*";
constexpr char kSbasOff[] = "$PSRF108,00*";

template <typename T> T* WithId(T* widget, int id)
{
    SetControlId(widget, id);
    return widget;
}

} // namespace

GpsSetupWnd::GpsSetupWnd(SerialChannel& device, QWidget* parent)
    : QWidget(parent), device_(device), writer_(device), ports_(WithId(new QComboBox, IDC_PORT)),
      rates_(WithId(new QComboBox, IDC_BAUD)),
      scan_(WithId(new QPushButton(QStringLiteral("Scan...")), IDC_SCAN)),
      openClose_(WithId(new QPushButton(QStringLiteral("Open GPS")), IDC_OPEN_CLOSE)),
      hotStart_(WithId(new QPushButton(QStringLiteral("Hot Start")), IDC_HOT_START)),
      coldStart_(WithId(new QPushButton(QStringLiteral("Cold Start")), IDC_COLD_START)),
      warmStart_(WithId(new QPushButton(QStringLiteral("Warm Start")), IDC_WARM_START)),
      powerSave_(WithId(new QCheckBox(QStringLiteral("Power Save")), IDC_POWER_SAVE)),
      sbas_(WithId(new QCheckBox(QStringLiteral("WAAS/EGNOS")), IDC_SBAS)),
      log_(WithId(new LogListBox, IDC_LOG))
{
    setObjectName(QStringLiteral("GpsSetupWnd"));
    setProperty("windowClass", QStringLiteral("GpsSetupWndClass"));

    RefreshPorts();
    for (int rate : kRates)
        rates_->addItem(QString::number(rate), rate);
    SelectRate(kDefaultRate);

    auto* layout = new QVBoxLayout(this);
    auto* port = new QGridLayout;
    port->addWidget(new QLabel(QStringLiteral("Port")), 0, 0);
    port->addWidget(ports_, 0, 1);
    port->addWidget(scan_, 0, 2);
    port->addWidget(new QLabel(QStringLiteral("Baud")), 1, 0);
    port->addWidget(rates_, 1, 1);
    port->addWidget(openClose_, 1, 2);
    port->setColumnStretch(1, 1);
    layout->addLayout(port);

    auto* commands = new QGroupBox(QStringLiteral("Receiver"));
    auto* grid = new QGridLayout(commands);
    grid->addWidget(hotStart_, 0, 0);
    grid->addWidget(warmStart_, 0, 1);
    grid->addWidget(coldStart_, 0, 2);
    grid->addWidget(powerSave_, 1, 0, 1, 2);
    grid->addWidget(sbas_, 1, 2);
    layout->addWidget(commands);
    layout->addWidget(log_, 1);

    connect(openClose_, &QPushButton::clicked, this, &GpsSetupWnd::OpenOrClose);
    connect(scan_, &QPushButton::clicked, this, &GpsSetupWnd::Scan);
    connect(hotStart_, &QPushButton::clicked, this, [this] { SendCommand(kHotStart, true); });
    connect(coldStart_, &QPushButton::clicked, this, [this] { SendCommand(kColdStart, true); });
    connect(warmStart_, &QPushButton::clicked, this, [this] { SendCommand(kWarmStart, true); });
    // A box whose command was not sent goes back to what the receiver has.
    connect(powerSave_, &QCheckBox::clicked, this, [this](bool on) {
        if (!SendCommand(on ? kPowerSaveOn : kPowerSaveOff, false))
            powerSave_->setChecked(!on);
    });
    connect(sbas_, &QCheckBox::clicked, this, [this](bool on) {
        if (!SendCommand(on ? kSbasOn : kSbasOff, true))
            sbas_->setChecked(!on);
    });
    connect(&writer_, &CommandWriter::finished, this, [this](bool ok) {
        log_->AddLine(ok ? QStringLiteral("           ...Done")
                         : QStringLiteral("           ...Failed"));
    });
    device_.SetEndedHandler([this](const std::string& reason) {
        QString text = QString::fromStdString(reason);
        QMetaObject::invokeMethod(
            this, [this, text] { DeviceGone(text); }, Qt::QueuedConnection);
    });
    UpdateEnabled();
}

GpsSetupWnd::~GpsSetupWnd()
{
    device_.SetEndedHandler({});
    device_.AttachLog({});
}

void GpsSetupWnd::DeviceGone(const QString& reason)
{
    if (!device_.IsOpen() || device_.IsReading())
        return;
    device_.AttachLog({});
    device_.Close();
    openClose_->setText(QStringLiteral("Open GPS"));
    log_->AddLine(QStringLiteral("GPS Close: ") + reason);
    RefreshPorts();
    UpdateEnabled();
    emit deviceOpenChanged(false);
}

void GpsSetupWnd::RefreshPorts()
{
    const int chosen = ports_->currentIndex();
    const PortMap map = PortMap::Load();
    ports_->clear();
    for (int n = 1; n <= kPortCount; ++n)
        ports_->addItem(QString::fromStdString(PortListEntry(n, map)));
    ports_->setCurrentIndex(chosen >= 0 ? chosen : 0);
}

void GpsSetupWnd::SelectPort(int number)
{
    if (number >= 1 && number <= ports_->count())
        ports_->setCurrentIndex(number - 1);
}

void GpsSetupWnd::SelectRate(int baud)
{
    int index = rates_->findData(baud);
    if (index >= 0)
        rates_->setCurrentIndex(index);
}

int GpsSetupWnd::ChosenRate() const
{
    return rates_->currentData().toInt();
}

void GpsSetupWnd::UpdateEnabled()
{
    bool open = device_.IsOpen();
    for (QWidget* command :
         std::initializer_list<QWidget*>{hotStart_, coldStart_, warmStart_, powerSave_, sbas_})
        command->setEnabled(open);
    scan_->setEnabled(!open);
    ports_->setEnabled(!open);
    rates_->setEnabled(!open);
}

void GpsSetupWnd::OpenOrClose()
{
    if (device_.IsOpen()) {
        device_.AttachLog({});
        device_.Close();
        openClose_->setText(QStringLiteral("Open GPS"));
        log_->AddLine(QStringLiteral("GPS Close.."));
        RefreshPorts();
    } else {
        // The log is attached before the reader starts, so that it gets the
        // first sentences too; they queue behind "GPS Open...".
        LogListBox* log = log_;
        device_.AttachLog([log](const std::string& line) {
            QString text = QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
            QMetaObject::invokeMethod(
                log, [log, text] { log->AddLine(text); }, Qt::QueuedConnection);
        });
        const std::string port = PortName(ports_->currentIndex() + 1);
        if (device_.Open(port, ChosenRate(), PortMap::Load())) {
            openClose_->setText(QStringLiteral("Close GPS"));
            log_->AddLine(QStringLiteral("GPS Open..."));
        } else {
            device_.AttachLog({});
            log_->AddLine(QStringLiteral("Can not open COMPORT: ") +
                          QString::fromStdString(device_.Error()));
            QMessageBox::information(this, QStringLiteral("Fixscope"),
                                     QStringLiteral("Can not open COMPORT."));
        }
    }
    UpdateEnabled();
    emit deviceOpenChanged(device_.IsOpen());
}

bool GpsSetupWnd::SendCommand(const char* stored, bool leadingLineEnd)
{
    if (!device_.IsOpen() || writer_.IsBusy())
        return false;
    log_->AddLine(QString::fromLatin1(stored));
    return writer_.Start(FrameCommand(stored, leadingLineEnd));
}

void GpsSetupWnd::Scan()
{
    if (device_.IsOpen())
        return;
    PortScanDialog dialog(ChosenRate(), window());
    dialog.exec();
    RefreshPorts();
    if (dialog.FoundPort() != 0)
        SelectPort(dialog.FoundPort());
}

} // namespace fixscope
