#include "gps/gui/PortSettingsDialog.h"

#include "base/SettingsStore.h"
#include "gps/GpsdAddress.h"
#include "gps/PortEnumeration.h"
#include "gps/PortRegistry.h"
#include "gps/SerialPort.h"
#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>

namespace hw {

PortSettingsDialog::PortSettingsDialog(SettingsStore& settings, SerialPort& port,
                                       PortRegistry& registry, const SystemPortScanner& /*scanner*/,
                                       QWidget* parent)
    : QDialog(parent), settings_(settings), registry_(registry)
{
    setObjectName(QStringLiteral("PortSettingsDialog"));
    setWindowTitle(tr("通信端口设定"));
    const int storedPort = settings.GetInt(section::kSerial, "端口", 1);
    const int storedBaud = settings.GetInt(section::kSerial, "速率", 4800);
    const bool storedReconnect = settings.GetInt(section::kSerial, "自动重接", 0) != 0;

    port_ = new QComboBox(this);
    baud_ = new QComboBox(this);
    baud_->setEditable(true);
    reconnect_ = new QCheckBox(tr("启用自动重连"), this);

    std::string error;
    std::vector<std::string> warnings;
    if (!port.EnumeratePorts(error, warnings)) {
        QMessageBox::critical(parent, QStringLiteral("Hikewise"), tr(kEnumerateError));
        return;
    }
    for (const std::string& w : warnings)
        QMessageBox::warning(parent, QStringLiteral("Hikewise"), QString::fromStdString(w));
    const std::vector<std::string> entries = PortDialogEntries(port.PortList());
    for (const std::string& e : entries)
        port_->addItem(QString::fromStdString(e));
    port_->setCurrentIndex(static_cast<int>(PreselectedPortEntry(entries, storedPort)));
    for (int rate : {4800, 9600, 19200, 38400, 57600, 115200})
        baud_->addItem(QString::number(rate));
    baud_->setCurrentText(QString::number(storedBaud));
    reconnect_->setChecked(storedReconnect);
    // The device behind the chosen number; any path (a pseudo-terminal too)
    // may be given to a number. For the daemon: its address.
    device_ = new QLineEdit(this);
    const auto showDevice = [this] {
        const int number = Port();
        const bool gpsd = GpsdChosen();
        baud_->setEnabled(!gpsd);
        device_->setPlaceholderText(gpsd ? QString::fromUtf8(GpsdAddress::kDefaultText)
                                         : QStringLiteral("/dev/ttyUSB0"));
        if (gpsd)
            device_->setText(QString::fromStdString(
                settings_.GetText(section::kSerial, kGpsdAddressName, GpsdAddress::kDefaultText)));
        else
            device_->setText(number >= 0 ? QString::fromStdString(registry_.PathFor(number))
                                         : QString());
    };
    showDevice();
    connect(port_, &QComboBox::currentIndexChanged, this, showDevice);

    auto* form = new QFormLayout;
    form->addRow(tr("端口:"), port_);
    form->addRow(tr("设备:"), device_);
    form->addRow(tr("波特率:"), baud_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(reconnect_);
    layout->addStretch(1);
    layout->addWidget(OkCancelButtons(this));
    setMinimumWidth(360);
    ready_ = true;
}

int PortSettingsDialog::Port() const
{
    return PortNumberFromEntry(port_->currentText().toStdString());
}

uint32_t PortSettingsDialog::Baud() const
{
    bool ok = false;
    const uint n = baud_->currentText().trimmed().toUInt(&ok);
    return ok && n > 0 ? n : 4800;
}

bool PortSettingsDialog::GpsdChosen() const
{
    return Port() == kGpsdPortNumber;
}

void PortSettingsDialog::done(int result)
{
    if (result == QDialog::Accepted && GpsdChosen()) {
        GpsdAddress address;
        if (!GpsdAddress::Parse(device_->text().toStdString(), address)) {
            QMessageBox::warning(this, QStringLiteral("Hikewise"),
                                 tr("gpsd 地址无效。请输入 主机:端口，例如 %1")
                                     .arg(QString::fromUtf8(GpsdAddress::kDefaultText)));
            return;
        }
        settings_.SetText(section::kSerial, kGpsdAddressName, address.Text());
        QDialog::done(result);
        return;
    }
    // A device typed for the number is remembered before the port opens.
    const int number = Port();
    const std::string path = device_->text().trimmed().toStdString();
    if (result == QDialog::Accepted && number >= 0 && !path.empty() &&
        path != registry_.PathFor(number))
        registry_.Map(number, path);
    QDialog::done(result);
}

bool PortSettingsDialog::AutoReconnect() const
{
    return reconnect_->isChecked();
}

} // namespace hw
