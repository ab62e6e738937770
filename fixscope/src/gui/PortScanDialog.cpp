#include "gui/PortScanDialog.h"

#include "core/PortMap.h"
#include "core/SerialChannel.h"
#include "gui/ControlIds.h"
#include "gui/Controls.h"
#include "gui/LogListBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMetaObject>
#include <QVBoxLayout>

namespace fixscope {

PortScanDialog::PortScanDialog(int baud, QWidget* parent)
    : QDialog(parent), baud_(baud), header_(new QLabel), log_(new LogListBox)
{
    SetControlId(this, IDD_PORT_SCAN);
    setWindowTitle(QStringLiteral("Fixscope"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    QFont bold = header_->font();
    bold.setBold(true);
    header_->setFont(bold);
    layout->addWidget(header_);
    layout->addWidget(log_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    // The dialog covers the main window, as a full-screen dialog would.
    if (parent)
        setGeometry(parent->geometry());
}

PortScanDialog::~PortScanDialog()
{
    Stop();
}

QString PortScanDialog::Header() const
{
    return header_->text();
}

void PortScanDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (scanning_ || worker_.joinable())
        return;
    scanning_ = true;
    PortMap ports = PortMap::Load();
    worker_ = std::thread([this, ports] {
        for (int n = 1; n <= kPortCount && !cancel_; ++n) {
            QString header = QString::asprintf("Baudrate %d ScanningCOM%d...", baud_, n);
            Post([this, header] { header_->setText(header); });
            SerialChannel channel;
            QString line;
            if (channel.Open(PortName(n), baud_, ports)) {
                bool found = false;
                for (int waited = 0; waited < kDetectTimeoutMs && !found && !cancel_; waited += 100)
                    found = channel.WaitForDetect(std::chrono::milliseconds(100));
                channel.Close();
                line = found ? QString::asprintf("Scan COM%d...Found GPS!", n)
                             : QString::asprintf("Scan COM%d...(None)", n);
                if (found)
                    Post([this, n] {
                        if (foundPort_ == 0)
                            foundPort_ = n;
                    });
            } else {
                line = QString::asprintf("Scan COM%d...(Open failed)", n);
            }
            if (!cancel_)
                Post([this, line] { log_->AddLine(line); });
        }
        Post([this] {
            header_->setText(QStringLiteral("Scanning finished!"));
            log_->AddLine(QStringLiteral("Scan completed!"));
            scanning_ = false;
        });
    });
}

void PortScanDialog::Post(std::function<void()> onUiThread)
{
    QMetaObject::invokeMethod(this, std::move(onUiThread), Qt::QueuedConnection);
}

void PortScanDialog::Stop()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

void PortScanDialog::done(int result)
{
    Stop();
    QDialog::done(result);
}

} // namespace fixscope
