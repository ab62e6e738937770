#pragma once

#include "base/MemorySettingsStore.h"
#include "gps/GpsLink.h"
#include "gps/NmeaParser.h"
#include "gps/PortRegistry.h"
#include "gps/SerialPort.h"
#include "gps/SystemPortScanner.h"
#include "gps/gui/PosixSerialTransport.h"

#include "core/LinkTestSupport.h"
#include "core/NmeaTestSupport.h"

#include <QTemporaryDir>

#include <string>
#include <vector>

// The receiver link as the main frame holds it, over the real port, parser
// and settings, with the questions, errors and port messages collected
// instead of shown.
namespace hw::test {

// The port, the parser and the link over settings in memory; the port's
// error messages land in `reported` as "caption: text".
struct LinkFixture {
    LinkFixture()
        : scanner(dir.filePath(QStringLiteral("sys")).toStdString(),
                  dir.filePath(QStringLiteral("dev")).toStdString()),
          registry(settings), port(transport, registry, scanner), parser(&parsed),
          link(port, parser, settings, notices, host, host)
    {
        port.SetErrorReporter([this](const std::string& text, const std::string& caption) {
            reported.push_back(caption + ": " + text);
        });
    }
    LinkFixture(const LinkFixture&) = delete;
    LinkFixture& operator=(const LinkFixture&) = delete;

    QTemporaryDir dir;
    MemorySettingsStore settings;
    PosixSerialTransport transport;
    SystemPortScanner scanner;
    PortRegistry registry;
    SerialPort port;
    RecordingSink parsed;
    NmeaParser parser;
    RecordingSink notices;
    LinkRecorder host;
    GpsLink link;
    std::vector<std::string> reported;
};

} // namespace hw::test
