#include "instruments/gui/SatellitePage.h"
#include "map/gui/MapWnd.h"
#include "map/gui/WaypointImportCommand.h"
#include "shell/gui/CMainFrame.h"
#include "shell/gui/CommandLine.h"
#include "shell/gui/QtSettingsStore.h"
#include "shell/gui/QtTranslations.h"
#include "shell/gui/Screenshot.h"
#include "shell/gui/TabContainer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLocale>

#include <cstdio>
#include <memory>

namespace {
void NameTheApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("KORV"));
    QCoreApplication::setApplicationName(QStringLiteral("Hikewise"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HIKEWISE_APP_VERSION));
}
} // namespace

int main(int argc, char* argv[])
{
    if (hw::CommandLine::AsksForHelpOrVersion(argc, argv)) {
        // Printed without a display: the GUI is never started.
        QCoreApplication core(argc, argv);
        NameTheApplication();
        hw::CommandLine::Parse(QCoreApplication::arguments()); // prints and exits
        return 0;
    }
    QApplication app(argc, argv);
    NameTheApplication();

    hw::CommandLine cl = hw::CommandLine::Parse(QApplication::arguments());
    if (!cl.error.isEmpty()) {
        std::fprintf(stderr, "hikewise: %s\n", qPrintable(cl.error));
        return 2;
    }

    auto settings = cl.settingsFile.isEmpty()
                        ? std::make_unique<hw::QtSettingsStore>()
                        : std::make_unique<hw::QtSettingsStore>(cl.settingsFile);
    // The language is chosen before the first window: --language for this run,
    // otherwise the stored choice. The desktop's is its first interface
    // language (LANGUAGE, LC_MESSAGES, LANG).
    const QStringList desktop = QLocale::system().uiLanguages();
    hw::InterfaceLanguage language = hw::LanguageFromSetting(
        settings->GetInt(hw::kLanguageSection, hw::kLanguageValue, hw::kLanguageChinese),
        (desktop.isEmpty() ? QLocale::system().name() : desktop.first()).toStdString());
    if (!cl.language.isEmpty())
        hw::ParseLanguageOption(cl.language.toStdString(), language);
    if (!hw::InstallTranslations(&app, language))
        std::fprintf(stderr, "hikewise: the English translation cannot be loaded; the windows "
                             "stay Chinese\n");
    const bool screenshot = !cl.screenshotFile.isEmpty();
    hw::MapWnd::RunOptions run;
    if (!cl.databaseFile.isEmpty())
        run.databaseFile = QFile::encodeName(cl.databaseFile).toStdString();
    if (!cl.trackFile.isEmpty())
        run.trackFile = QFile::encodeName(cl.trackFile).toStdString();
    if (!cl.gotoName.isEmpty())
        run.gotoName = cl.gotoName.toStdString();
    if (!cl.followFile.isEmpty())
        run.followFile = QFile::encodeName(cl.followFile).toStdString();
    if (cl.zoom >= 0)
        run.zoomIndex = cl.zoom;
    if (cl.northUp >= 0)
        run.northUp = cl.northUp == 1;
    if (!cl.roadsFile.isEmpty())
        run.roadsFile = QFile::encodeName(cl.roadsFile).toStdString();
    if (!cl.terrainFile.isEmpty())
        run.terrainFile = QFile::encodeName(cl.terrainFile).toStdString();
    for (const QString& file : cl.importFiles)
        run.importFiles.push_back(QFile::encodeName(file).toStdString());
    run.quietImport = screenshot;
    hw::MapWnd::SetRunOptions(run);
    hw::CMainFrame::Options options;
    options.replaySpeed = cl.replaySpeed;
    options.replayFile = cl.replayFile;
    options.gpsdAddress = cl.gpsdAddress;
    options.skipFirstRun = screenshot || cl.frameTimes > 0;
    options.demoWhenUnset = true;
    options.language = language;
    hw::CMainFrame frame(*settings, options);
    if (cl.size.isValid())
        frame.resize(cl.size);
    if (auto* gps = qobject_cast<hw::SatellitePage*>(frame.Tabs()->Page(0)))
        for (int v = 0; v < cl.view; ++v)
            gps->NextView();
    if (cl.page >= 0)
        frame.Tabs()->ShowPage(cl.page);
    frame.show();
    if (cl.frameTimes > 0) {
        const int index = cl.page >= 0 ? cl.page : frame.Tabs()->CurrentPage();
        hw::ScheduleFrameTimes(frame.Tabs()->Page(index), index, cl.frameTimes, cl.afterSeconds);
        return QApplication::exec();
    }
    if (screenshot) {
        QWidget* target = &frame;
        if (!cl.dialog.isEmpty()) {
            target = frame.MakePicture(cl.dialog);
            if (!target) {
                std::fprintf(stderr, "hikewise: no dialog named %s\n", qPrintable(cl.dialog));
                return 2;
            }
            target->show();
        }
        if (cl.importFiles.isEmpty()) {
            hw::ScheduleScreenshot(target, cl.screenshotFile, cl.afterSeconds);
        } else {
            // The picture shows what the import brought in.
            QObject::connect(&frame.Tabs()->MapWindow()->Import(),
                             &hw::WaypointImportCommand::Finished, target, [target, &cl] {
                                 hw::ScheduleScreenshot(target, cl.screenshotFile, cl.afterSeconds);
                             });
        }
    }
    return QApplication::exec();
}
