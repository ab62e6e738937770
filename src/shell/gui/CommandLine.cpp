#include "shell/gui/CommandLine.h"

#include <QCommandLineParser>

namespace hw {

CommandLine CommandLine::Parse(const QStringList& arguments)
{
    CommandLine cl;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Hikewise, a GPS companion for hikers and geocachers."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption settings(QStringLiteral("settings"),
                                QStringLiteral("Use FILE for the settings."),
                                QStringLiteral("FILE"));
    QCommandLineOption replay(
        QStringLiteral("replay"),
        QStringLiteral("Replay a recorded NMEA log in place of the receiver."),
        QStringLiteral("FILE"));
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Render the main window to a PNG and exit."),
                                  QStringLiteral("FILE"));
    QCommandLineOption after(QStringLiteral("after"),
                             QStringLiteral("Wait SECONDS before the screenshot."),
                             QStringLiteral("SECONDS"));
    QCommandLineOption page(QStringLiteral("page"), QStringLiteral("Show tab page N (0-4)."),
                            QStringLiteral("N"));
    parser.addOptions({settings, replay, screenshot, after, page});
    parser.process(arguments); // handles --help and --version, exits on unknown options

    cl.settingsFile = parser.value(settings);
    cl.replayFile = parser.value(replay);
    cl.screenshotFile = parser.value(screenshot);
    if (parser.isSet(after)) {
        bool ok = false;
        cl.afterSeconds = parser.value(after).toDouble(&ok);
        if (!ok || cl.afterSeconds < 0)
            cl.error = QStringLiteral("--after takes a number of seconds");
    }
    if (parser.isSet(page)) {
        bool ok = false;
        cl.page = parser.value(page).toInt(&ok);
        if (!ok || cl.page < 0 || cl.page > 4)
            cl.error = QStringLiteral("--page takes a page number from 0 to 4");
    }
    return cl;
}

} // namespace hw
