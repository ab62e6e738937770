#include "shell/gui/CommandLine.h"

#include "gps/GpsdAddress.h"

#include <climits>

#include <QCommandLineParser>

namespace hw {

bool CommandLine::AsksForHelpOrVersion(int argc, const char* const argv[])
{
    for (int i = 1; i < argc; ++i) {
        QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--"))
            return false;
        if (a == QLatin1String("-h") || a == QLatin1String("--help") ||
            a == QLatin1String("--help-all") || a == QLatin1String("-v") ||
            a == QLatin1String("--version") || a == QLatin1String("-?"))
            return true;
    }
    return false;
}

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
    QCommandLineOption roads(
        QStringLiteral("roads"),
        QStringLiteral("Draw the road map FILE (made by hikewise-tool map-import) for this run."),
        QStringLiteral("FILE"));
    QCommandLineOption gpsd(
        QStringLiteral("gpsd"),
        QStringLiteral("Read the receiver through the GPS daemon at HOST:PORT for this run "
                       "(default port 2947)."),
        QStringLiteral("HOST:PORT"));
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Render the main window to a PNG and exit."),
                                  QStringLiteral("FILE"));
    QCommandLineOption after(QStringLiteral("after"),
                             QStringLiteral("Wait SECONDS before the screenshot."),
                             QStringLiteral("SECONDS"));
    QCommandLineOption page(QStringLiteral("page"), QStringLiteral("Show tab page N (0-4)."),
                            QStringLiteral("N"));
    QCommandLineOption dialog(
        QStringLiteral("dialog"),
        QStringLiteral(
            "With --screenshot, render the dialog NAME over the window (disclaimer, "
            "setup, misc, units, import, progress, about, sirf, ports, search, pane, "
            "speed, altitude, map-properties, plan-waypoint, waypoint-list, edit-waypoint, "
            "edit-waypoint-2 to edit-waypoint-5, edit-multiple, csv-import, "
            "csv-import-waypoints, import-progress, import-summary, import-error, "
            "database-recovery, replace-question, found-question, visits-question, "
            "averaging, averaging-menu, waypoint-manager; the waypoint dialogs show the "
            "waypoints of "
            "--database)."),
        QStringLiteral("NAME"));
    QCommandLineOption size(QStringLiteral("size"),
                            QStringLiteral("Open the window WIDTHxHEIGHT pixels large."),
                            QStringLiteral("WIDTHxHEIGHT"));
    QCommandLineOption view(QStringLiteral("view"),
                            QStringLiteral("Show view N of the GPS page: 0 position, 1 precision, "
                                           "2 sky plot."),
                            QStringLiteral("N"));
    QCommandLineOption database(QStringLiteral("database"),
                                QStringLiteral("Use the waypoint database FILE for this run."),
                                QStringLiteral("FILE"));
    QCommandLineOption track(QStringLiteral("track"),
                             QStringLiteral("Use the track file FILE for this run."),
                             QStringLiteral("FILE"));
    QCommandLineOption gotoName(QStringLiteral("goto"),
                                QStringLiteral("Head for the waypoint NAME once it is loaded."),
                                QStringLiteral("NAME"));
    QCommandLineOption zoom(QStringLiteral("zoom"),
                            QStringLiteral("Start the map at zoom INDEX (0-20)."),
                            QStringLiteral("INDEX"));
    QCommandLineOption northUp(QStringLiteral("north-up"), QStringLiteral("Map north up."));
    QCommandLineOption courseUp(QStringLiteral("course-up"), QStringLiteral("Map course up."));
    QCommandLineOption replaySpeed(QStringLiteral("replay-speed"),
                                   QStringLiteral("Replay N times as fast (N x 128 bytes a tick)."),
                                   QStringLiteral("N"));
    QCommandLineOption frameTimes(
        QStringLiteral("frame-times"),
        QStringLiteral("Render the page of --page N times off screen after the replay time of "
                       "--after, print the times as one JSON line and exit."),
        QStringLiteral("N"));
    QCommandLineOption import(
        QStringLiteral("import"),
        QStringLiteral("Import the waypoint file FILE (GPX, XML, LOC, CSV) into the database at "
                       "start, with the stored import settings; with --screenshot the summary is "
                       "printed as JSON. Files named without an option are imported too."),
        QStringLiteral("FILE"));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Waypoint files to import at start."),
                                 QStringLiteral("[FILE...]"));
    parser.addOptions({settings, replay, roads, gpsd, screenshot, after, page, dialog, size, view,
                       frameTimes, database, track, gotoName, zoom, northUp, courseUp, replaySpeed,
                       import});
    parser.process(arguments); // handles --help and --version, exits on unknown options

    // A whole-number option in [lo, hi]; anything else sets the error.
    auto readInt = [&](const QCommandLineOption& option, int& value, int lo, int hi,
                       const QString& error) {
        if (!parser.isSet(option))
            return;
        bool ok = false;
        value = parser.value(option).toInt(&ok);
        if (!ok || value < lo || value > hi)
            cl.error = error;
    };
    cl.settingsFile = parser.value(settings);
    cl.replayFile = parser.value(replay);
    cl.roadsFile = parser.value(roads);
    if (parser.isSet(gpsd)) {
        GpsdAddress address;
        if (GpsdAddress::Parse(parser.value(gpsd).toStdString(), address))
            cl.gpsdAddress = QString::fromStdString(address.Text());
        else
            cl.error = QStringLiteral("--gpsd takes HOST:PORT, e.g. 127.0.0.1:2947");
    }
    if (parser.isSet(gpsd) && parser.isSet(replay))
        cl.error = QStringLiteral("--gpsd and --replay exclude each other");
    cl.screenshotFile = parser.value(screenshot);
    cl.dialog = parser.value(dialog);
    if (parser.isSet(after)) {
        bool ok = false;
        cl.afterSeconds = parser.value(after).toDouble(&ok);
        if (!ok || cl.afterSeconds < 0)
            cl.error = QStringLiteral("--after takes a number of seconds");
    }
    readInt(page, cl.page, 0, 4, QStringLiteral("--page takes a page number from 0 to 4"));
    readInt(frameTimes, cl.frameTimes, 1, INT_MAX,
            QStringLiteral("--frame-times takes a number of frames"));
    readInt(view, cl.view, 0, 2, QStringLiteral("--view takes a view number from 0 to 2"));
    cl.importFiles = parser.values(import) + parser.positionalArguments();
    cl.databaseFile = parser.value(database);
    cl.trackFile = parser.value(track);
    cl.gotoName = parser.value(gotoName);
    readInt(zoom, cl.zoom, 0, 20, QStringLiteral("--zoom takes an index from 0 to 20"));
    if (parser.isSet(northUp) && parser.isSet(courseUp))
        cl.error = QStringLiteral("--north-up and --course-up exclude each other");
    else if (parser.isSet(northUp))
        cl.northUp = 1;
    else if (parser.isSet(courseUp))
        cl.northUp = 0;
    readInt(replaySpeed, cl.replaySpeed, 1, 10000,
            QStringLiteral("--replay-speed takes a whole number from 1 to 10000"));
    if (parser.isSet(size)) {
        const QStringList parts = parser.value(size).split(QLatin1Char('x'));
        bool okW = false;
        bool okH = false;
        const int w = parts.size() == 2 ? parts[0].toInt(&okW) : 0;
        const int h = parts.size() == 2 ? parts[1].toInt(&okH) : 0;
        if (!okW || !okH || w < 100 || h < 100 || w > 10000 || h > 10000)
            cl.error = QStringLiteral("--size takes WIDTHxHEIGHT, e.g. 480x640");
        else
            cl.size = QSize(w, h);
    }
    return cl;
}

} // namespace hw
