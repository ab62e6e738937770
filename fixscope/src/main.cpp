// Fixscope: a stand-alone GPS receiver viewer and set-up utility.
#include "core/PortMap.h"
#include "gui/FixscopeClass.h"
#include "gui/GpsSetupWnd.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

using namespace fixscope;

namespace {

// Renders the window in front (the scan dialog while it is up) once the
// event loop has run for a while, then quits: 0 written, 1 not.
void ScheduleScreenshot(QWidget* window, const QString& file, double afterSeconds)
{
    QTimer::singleShot(static_cast<int>(afterSeconds * 1000) + 50, window, [window, file] {
        QWidget* front = QApplication::activeModalWidget();
        bool ok = (front ? front : window)->grab().save(file, "PNG");
        if (!ok)
            std::fprintf(stderr, "fixscope: cannot write %s\n", qPrintable(file));
        QApplication::exit(ok ? 0 : 1);
    });
}

struct Options {
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                  QStringLiteral("Render the window to a PNG and exit."),
                                  QStringLiteral("FILE")};
    QCommandLineOption after{QStringLiteral("after"),
                             QStringLiteral("Wait SECONDS before the screenshot."),
                             QStringLiteral("SECONDS")};
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
        parser.addOptions({screenshot, after, page, ports, port, rate, open, scan});
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

    if (parser.isSet(options.screenshot))
        ScheduleScreenshot(&window, parser.value(options.screenshot),
                           parser.value(options.after).toDouble());
    if (parser.isSet(options.open))
        QTimer::singleShot(0, &window, [&window] { window.Setup()->OpenOrClose(); });
    if (parser.isSet(options.scan))
        QTimer::singleShot(0, &window, [&window] { window.Setup()->Scan(); });
    return QApplication::exec();
}
