#pragma once

#include <QString>
#include <QStringList>

namespace hw {

// Options of the hikewise program.
struct CommandLine {
    QString settingsFile;    // --settings FILE
    QString replayFile;      // --replay FILE
    QString screenshotFile;  // --screenshot FILE.png
    double afterSeconds = 0; // --after SECONDS
    int page = -1;           // --page N (0-4)
    QString error;           // set when the arguments do not parse

    static CommandLine Parse(const QStringList& arguments);
};

} // namespace hw
