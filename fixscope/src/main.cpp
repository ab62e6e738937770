// Fixscope: a stand-alone GPS receiver viewer and set-up utility.
#include "core/PortMap.h"
#include "gui/FixscopeClass.h"
#include "gui/GpsSetupWnd.h"
#include "gui/GpsStausWnd.h"
#include "gui/PortScanDialog.h"
#include "gui/QuitOnSignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

using namespace fixscope;

namespace {

// Renders the window in front (the scan dialog while it is up) once the
// event loop has run for `afterSeconds` and `ready` holds, then quits: 0
// written, 1 not, 3 when `ready` did not hold within a minute (the picture
// would not show what it was taken for).
void ScheduleScreenshot(QWidget* window, const QString& file, double afterSeconds,
                        std::function<bool()> ready)
{
    QTimer::singleShot(static_cast<int>(afterSeconds * 1000) + 50, window, [=] {
        auto* poll = new QTimer(window);
        auto waited = std::make_shared<QElapsedTimer>();
        waited->start();
        QObject::connect(poll, &QTimer::timeout, window, [=] {
            if (!ready()) {
                if (waited->elapsed() < 60000)
                    return;
                std::fprintf(stderr, "fixscope: nothing to show within a minute\n");
                QApplication::exit(3);
                return;
            }
            poll->stop();
            QWidget* front = QApplication::activeModalWidget();
            bool ok = (front ? front : window)->grab().save(file, "PNG");
            if (!ok)
                std::fprintf(stderr, "fixscope: cannot write %s\n", qPrintable(file));
            QApplication::exit(ok ? 0 : 1);
        });
        poll->start(50);
    });
}

// What --when waits for: "fix", a position on the status page; "scanned",
// the scan dialog done with every port. Empty when the name is unknown.
std::function<bool()> ScreenshotCondition(const QString& name, const FixscopeClass& window)
{
    if (name.isEmpty())
        return [] { return true; };
    if (name == QLatin1String("fix"))
        return [&window] {
            const GpsRecord& state = window.Status()->State();
            return state.fixType >= '2' && state.satellitesInView > 0;
        };
    if (name == QLatin1String("scanned"))
        return [] {
            auto* scan = qobject_cast<PortScanDialog*>(QApplication::activeModalWidget());
            return scan != nullptr && !scan->IsScanning();
        };
    return {};
}

struct Options {
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                  QStringLiteral("Render the window to a PNG and exit."),
                                  QStringLiteral("FILE")};
    QCommandLineOption after{QStringLiteral("after"),
                             QStringLiteral("Wait SECONDS before the screenshot."),
                             QStringLiteral("SECONDS")};
    QCommandLineOption when{QStringLiteral("when"),
                            QStringLiteral("Take the screenshot only once there is a 'fix' on "
                                           "the status page, or the scan is 'scanned'."),
                            QStringLiteral("WHAT")};
    QCommandLineOption page{QStringLiteral("page"),
                            QStringLiteral("Show the page 'setup' (0) or 'status' (1)."),
                            QStringLiteral("PAGE")};
    QCommandLineOption ports{QStringLiteral("ports"),
                             QStringLiteral("Use only these port numbers for this run, e.g. "
                                            "\"1=/dev/ttyUSB0;4=/dev/pts/3\"."),
                             QStringLiteral("MAP")};
    QCommandLineOption port{QStringLiteral("port"), QStringLiteral("Choose port COMN: (1-10)."),
                            QStringLiteral("N")};
    QCommandLineOption rate{QStringLiteral("rate"), QStringLiteral("Choose the baud rate."),
                            QStringLiteral("BAUD")};
    QCommandLineOption open{QStringLiteral("open"),
                            QStringLiteral("Open the chosen port at start (as Open GPS).")};
    QCommandLineOption scan{QStringLiteral("scan"),
                            QStringLiteral("Start the port scan at start (as Scan...).")};

    void AddTo(QCommandLineParser& parser) const
    {
        parser.setApplicationDescription(QStringLiteral(
            "GPS receiver viewer and set-up utility.\n\n"
            "Port numbers: COMn: stands for the device given in FIXSCOPE_PORTS (or --ports)\n"
            "when set, otherwise for the one in ~/.config/Fixscope/ports, where each serial\n"
            "device seen for the first time is given the lowest free number."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({screenshot, after, when, page, ports, port, rate, open, scan});
    }
};

bool AsksForTextOnly(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
            arg == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    QCommandLineParser parser;
    options.AddTo(parser);
    if (AsksForTextOnly(argc, argv)) {
        // Help and version need no display.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("fixscope"));
        QCoreApplication::setApplicationVersion(QStringLiteral(FIXSCOPE_VERSION));
        parser.process(core);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fixscope"));
    QApplication::setApplicationVersion(QStringLiteral(FIXSCOPE_VERSION));
    parser.process(app);

    if (parser.isSet(options.ports))
        qputenv("FIXSCOPE_PORTS", parser.value(options.ports).toLocal8Bit());

    FixscopeClass window;
    // Declared after the window, so that it goes first and a late signal
    // ends the program as before.
    QuitOnSignals quitOnSignals;
    if (!quitOnSignals.Installed())
        std::fprintf(stderr, "fixscope: cannot handle SIGTERM; a kill may leave the port locked\n");
    if (parser.isSet(options.port)) {
        int number = parser.value(options.port).toInt();
        if (number < 1 || number > kPortCount) {
            std::fprintf(stderr, "fixscope: --port takes 1 to %d\n", kPortCount);
            return 2;
        }
        window.Setup()->SelectPort(number);
    }
    if (parser.isSet(options.rate))
        window.Setup()->SelectRate(parser.value(options.rate).toInt());
    QString pageName = parser.value(options.page);
    if (pageName == QLatin1String("status") || pageName == QLatin1String("1")) {
        window.ShowPage(FixscopeClass::StatusPage);
    } else if (parser.isSet(options.page) && pageName != QLatin1String("setup") &&
               pageName != QLatin1String("0")) {
        std::fprintf(stderr, "fixscope: --page takes setup or status\n");
        return 2;
    }
    window.show();

    std::function<bool()> ready = ScreenshotCondition(parser.value(options.when), window);
    if (!ready) {
        std::fprintf(stderr, "fixscope: --when takes fix or scanned\n");
        return 2;
    }
    // Up to a day: the wait becomes a timer's milliseconds.
    bool afterOk = true;
    const double after =
        parser.isSet(options.after) ? parser.value(options.after).toDouble(&afterOk) : 0;
    if (!afterOk || !std::isfinite(after) || after < 0 || after > 86400) {
        std::fprintf(stderr, "fixscope: --after takes a number of seconds from 0 to 86400\n");
        return 2;
    }
    if (parser.isSet(options.screenshot))
        ScheduleScreenshot(&window, parser.value(options.screenshot), after, std::move(ready));
    if (parser.isSet(options.open))
        QTimer::singleShot(0, &window, [&window] { window.Setup()->OpenOrClose(); });
    if (parser.isSet(options.scan))
        QTimer::singleShot(0, &window, [&window] { window.Setup()->Scan(); });
    return QApplication::exec();
}
