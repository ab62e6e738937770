#include "shell/gui/CMainFrame.h"
#include "shell/gui/CommandLine.h"
#include "shell/gui/QtSettingsStore.h"
#include "shell/gui/Screenshot.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("KORV"));
    QApplication::setApplicationName(QStringLiteral("Hikewise"));
    QApplication::setApplicationVersion(QStringLiteral(HIKEWISE_APP_VERSION));

    hw::CommandLine cl = hw::CommandLine::Parse(QApplication::arguments());
    if (!cl.error.isEmpty()) {
        std::fprintf(stderr, "hikewise: %s\n", qPrintable(cl.error));
        return 2;
    }

    auto settings = cl.settingsFile.isEmpty()
                        ? std::make_unique<hw::QtSettingsStore>()
                        : std::make_unique<hw::QtSettingsStore>(cl.settingsFile);
    hw::CMainFrame frame(*settings);
    frame.show();
    if (!cl.screenshotFile.isEmpty())
        hw::ScheduleScreenshot(&frame, cl.screenshotFile, cl.afterSeconds);
    return QApplication::exec();
}
