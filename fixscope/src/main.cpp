#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fixscope"));

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Render the window to a PNG and exit."),
                                  QStringLiteral("FILE"));
    QCommandLineOption after(QStringLiteral("after"),
                             QStringLiteral("Wait SECONDS before the screenshot."),
                             QStringLiteral("SECONDS"));
    parser.addOptions({screenshot, after});
    parser.process(app);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Fixscope"));
    window.resize(240, 320);
    window.setCentralWidget(new QLabel(QStringLiteral("Fixscope"), &window));
    window.show();

    if (parser.isSet(screenshot)) {
        QString file = parser.value(screenshot);
        int ms = static_cast<int>(parser.value(after).toDouble() * 1000);
        QTimer::singleShot(ms + 50, &window, [&window, file] {
            bool ok = window.grab().save(file, "PNG");
            if (!ok)
                std::fprintf(stderr, "fixscope: cannot write %s\n", qPrintable(file));
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return QApplication::exec();
}
