#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace hw {

// Options of the hikewise program.
struct CommandLine {
    static constexpr double kMaxAfterSeconds = 86400; // a day
    QString settingsFile;                             // --settings FILE
    QString replayFile;                               // --replay FILE
    QString roadsFile;                                // --roads FILE: the road map for this run
    QString terrainFile;                              // --terrain FILE: the terrain for this run
    QString gpsdAddress;     // --gpsd HOST:PORT: read the GPS daemon for this run
    QString screenshotFile;  // --screenshot FILE.png
    double afterSeconds = 0; // --after SECONDS, 0 to kMaxAfterSeconds
    int page = -1;           // --page N (0-4)
    int view = -1;           // --view N: the GPS page's view (0-2)
    QSize size;              // --size WIDTHxHEIGHT of the window
    int frameTimes = 0;      // --frame-times N: time N paints of the page and exit
    QString dialog;          // --dialog NAME: with --screenshot, render that dialog
    QString language;        // --language zh|en: the windows' language for this run
    // For this run only, nothing stored:
    QString databaseFile; // --database FILE.wpt
    QString trackFile;    // --track FILE.trk
    QString gotoName;     // --goto NAME: start a goto to that waypoint once loaded
    QString followFile;   // --follow FILE: follow the first course of FILE
    int zoom = -1;        // --zoom INDEX (0-20)
    int northUp = -1;     // --north-up 1, --course-up 0
    int replaySpeed = 1;  // --replay-speed N: N x 128 bytes a replay tick
    // --import FILE and the files named without an option: waypoint files
    // imported at start.
    QStringList importFiles;
    QString error; // set when the arguments do not parse

    static CommandLine Parse(const QStringList& arguments);
    // Whether the arguments ask only for the help or the version text, which
    // are printed without starting the GUI (no display needed).
    static bool AsksForHelpOrVersion(int argc, const char* const argv[]);
};

} // namespace hw
