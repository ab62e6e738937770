#include "shell/gui/CMainFrame.h"

#include "shell/SettingsStore.h"

#include <QLabel>

namespace hw {

CMainFrame::CMainFrame(SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), settings_(settings)
{
    setWindowTitle(QStringLiteral("Hikewise"));
    resize(480, 640);
    auto* placeholder = new QLabel(QStringLiteral("Hikewise"), this);
    placeholder->setAlignment(Qt::AlignCenter);
    setCentralWidget(placeholder);
}

} // namespace hw
