#pragma once

#include "base/MemorySettingsStore.h"
#include "gps/GpsLink.h"
#include "gps/KeepAwake.h"
#include "gps/LinkHost.h"
#include "gps/NmeaParser.h"
#include "gps/PortRegistry.h"
#include "gps/SerialPort.h"
#include "gps/SystemPortScanner.h"
#include "gps/gui/PosixSerialTransport.h"

#include "core/NmeaTestSupport.h"

#include <QTemporaryDir>

#include <string>
#include <vector>

// The receiver link as the main frame holds it, over the real port, parser
// and settings, with the questions, errors and port messages collected
// instead of shown.
namespace hw::test {

// Answers every question with `answer` and keeps what it was asked and shown.
class LinkTestHost final : public LinkHost, public KeepAwake {
public:
    bool AskYesNo(const std::string& question) override
    {
        questions.push_back(question);
        return answer;
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void StartReplayTimer() override {}
    void StopReplayTimer() override {}
    void Hold(bool) override {}

    bool answer = false;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
};

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
    LinkTestHost host;
    GpsLink link;
    std::vector<std::string> reported;
};

} // namespace hw::test
