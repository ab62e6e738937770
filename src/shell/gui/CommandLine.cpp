#include "shell/gui/CommandLine.h"

#include "gps/GpsdAddress.h"
#include "shell/InterfaceLanguage.h"

#include <climits>
#include <cmath>

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

namespace {

// One option of the program: its name, its help text and the name of its
// value (none for a switch). --help lists them in this order.
struct OptionSpec {
    const char* name;
    const char* help;
    const char* valueName;
};

constexpr OptionSpec kOptions[] = {
    {"settings", "Use FILE for the settings.", "FILE"},
    {"replay", "Replay a recorded NMEA log in place of the receiver.", "FILE"},
    {"roads", "Draw the road map FILE (made by hikewise-tool map-import) for this run.", "FILE"},
    {"terrain",
     "Draw the relief of the terrain FILE (made by hikewise-tool dem-import) for this run.",
     "FILE"},
    {"gpsd",
     "Read the receiver through the GPS daemon at HOST:PORT for this run (default port 2947).",
     "HOST:PORT"},
    {"screenshot", "Render the main window to a PNG and exit.", "FILE"},
    {"after", "Wait SECONDS (up to 86400) before the screenshot.", "SECONDS"},
    {"page", "Show tab page N (0-4).", "N"},
    {"dialog",
     "With --screenshot, render the dialog NAME over the window (disclaimer, setup, misc, units, "
     "import, progress, about, sirf, ports, search, pane, speed, altitude, map-properties, "
     "plan-waypoint, waypoint-list, edit-waypoint, edit-waypoint-2 to edit-waypoint-5, "
     "edit-multiple, csv-import, csv-import-waypoints, import-progress, import-summary, "
     "import-error, database-recovery, track-recovery, replace-question, found-question, "
     "visits-question, "
     "averaging, averaging-menu, waypoint-manager, waypoint-message; the waypoint dialogs show "
     "the waypoints of "
     "--database).",
     "NAME"},
    {"size", "Open the window WIDTHxHEIGHT pixels large.", "WIDTHxHEIGHT"},
    {"view", "Show view N of the GPS page: 0 position, 1 precision, 2 sky plot.", "N"},
    {"frame-times",
     "Render the page of --page N times off screen after the replay time of --after, print the "
     "times as one JSON line and exit.",
     "N"},
    {"database", "Use the waypoint database FILE for this run.", "FILE"},
    {"track", "Use the track file FILE for this run.", "FILE"},
    {"goto", "Head for the waypoint NAME once it is loaded.", "NAME"},
    {"follow",
     "Follow the first course (track or route) of the GPX, KML or track FILE from the first fix, "
     "for this run.",
     "FILE"},
    {"zoom", "Start the map at zoom INDEX (0-20).", "INDEX"},
    {"north-up", "Map north up.", nullptr},
    {"course-up", "Map course up.", nullptr},
    {"replay-speed", "Replay N times as fast (N x 128 bytes a tick).", "N"},
    {"language", "Show the windows in LANGUAGE for this run: zh (Chinese) or en (English).",
     "LANGUAGE"},
    {"import",
     "Import the waypoint file FILE (GPX, XML, LOC, CSV) into the database at start, with the "
     "stored import settings; with --screenshot the summary is printed as JSON. Files named "
     "without an option are imported too.",
     "FILE"},
};

} // namespace

CommandLine CommandLine::Parse(const QStringList& arguments)
{
    CommandLine cl;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Hikewise, a GPS companion for hikers and geocachers."));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const OptionSpec& spec : kOptions)
        parser.addOption(
            QCommandLineOption(QString::fromUtf8(spec.name), QString::fromUtf8(spec.help),
                               spec.valueName ? QString::fromUtf8(spec.valueName) : QString()));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Waypoint files to import at start."),
                                 QStringLiteral("[FILE...]"));
    parser.process(arguments); // handles --help and --version, exits on unknown options

    const auto isSet = [&](const char* name) { return parser.isSet(QLatin1String(name)); };
    const auto value = [&](const char* name) { return parser.value(QLatin1String(name)); };
    // A whole-number option in [lo, hi]; anything else sets the error.
    auto readInt = [&](const char* name, int& number, int lo, int hi, const QString& error) {
        if (!isSet(name))
            return;
        bool ok = false;
        number = value(name).toInt(&ok);
        if (!ok || number < lo || number > hi)
            cl.error = error;
    };
    cl.settingsFile = value("settings");
    cl.replayFile = value("replay");
    cl.roadsFile = value("roads");
    cl.terrainFile = value("terrain");
    if (isSet("gpsd")) {
        GpsdAddress address;
        if (GpsdAddress::Parse(value("gpsd").toStdString(), address))
            cl.gpsdAddress = QString::fromStdString(address.Text());
        else
            cl.error = QStringLiteral("--gpsd takes HOST:PORT, e.g. 127.0.0.1:2947");
    }
    if (isSet("gpsd") && isSet("replay"))
        cl.error = QStringLiteral("--gpsd and --replay exclude each other");
    cl.screenshotFile = value("screenshot");
    cl.dialog = value("dialog");
    if (isSet("language")) {
        InterfaceLanguage language = InterfaceLanguage::Chinese;
        if (ParseLanguageOption(value("language").toStdString(), language))
            cl.language = value("language");
        else
            cl.error = QStringLiteral("--language takes zh or en");
    }
    if (isSet("after")) {
        // Up to a day: the wait becomes a timer's milliseconds.
        bool ok = false;
        cl.afterSeconds = value("after").toDouble(&ok);
        if (!ok || !std::isfinite(cl.afterSeconds) || cl.afterSeconds < 0 ||
            cl.afterSeconds > kMaxAfterSeconds) {
            cl.error = QStringLiteral("--after takes a number of seconds from 0 to 86400");
            cl.afterSeconds = 0;
        }
    }
    readInt("page", cl.page, 0, 4, QStringLiteral("--page takes a page number from 0 to 4"));
    readInt("frame-times", cl.frameTimes, 1, INT_MAX,
            QStringLiteral("--frame-times takes a number of frames"));
    readInt("view", cl.view, 0, 2, QStringLiteral("--view takes a view number from 0 to 2"));
    cl.importFiles = parser.values(QLatin1String("import")) + parser.positionalArguments();
    cl.databaseFile = value("database");
    cl.trackFile = value("track");
    cl.gotoName = value("goto");
    cl.followFile = value("follow");
    readInt("zoom", cl.zoom, 0, 20, QStringLiteral("--zoom takes an index from 0 to 20"));
    if (isSet("north-up") && isSet("course-up"))
        cl.error = QStringLiteral("--north-up and --course-up exclude each other");
    else if (isSet("north-up"))
        cl.northUp = 1;
    else if (isSet("course-up"))
        cl.northUp = 0;
    readInt("replay-speed", cl.replaySpeed, 1, 10000,
            QStringLiteral("--replay-speed takes a whole number from 1 to 10000"));
    if (isSet("size")) {
        const QStringList parts = value("size").split(QLatin1Char('x'));
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
