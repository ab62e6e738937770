// The Fixscope window against simulated receivers on pseudo-terminals.
#include "core/SerialChannel.h"
#include "core/SerialLine.h"
#include "core/StatusTexts.h"
#include "gui/ControlIds.h"
#include "gui/Controls.h"
#include "gui/FixscopeClass.h"
#include "gui/GpsSetupWnd.h"
#include "gui/GpsStausWnd.h"
#include "gui/LogListBox.h"
#include "gui/PortScanDialog.h"
#include "support/SimulatedReceiver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <memory>
#include <thread>

using namespace fixscope;
using test::SimulatedReceiver;
using namespace std::chrono_literals;

namespace {

QStringList Lines(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// Runs `step` on the modal dialog of type T as soon as it is up.
template <typename T> void WhenModal(std::function<void(T*)> step)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            step(dialog);
        }
    });
    timer->start(20);
}

// True when some pixel within `radius` of (x, y) has exactly `colour`.
bool HasColourNear(const QImage& image, int x, int y, int radius, const QColor& colour)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (image.valid(x + dx, y + dy) && image.pixelColor(x + dx, y + dy) == colour)
                return true;
    return false;
}

std::vector<std::string> WithBadChecksums(std::vector<std::string> lines)
{
    for (std::string& line : lines)
        line[line.size() - 3] = line[line.size() - 3] == 'F' ? '0' : 'F';
    return lines;
}

// Counts the channel's messages, on the reader thread.
struct MessageCounter : UpdateListener {
    void OnDeviceMessage(unsigned, const GpsRecord&) override { ++count; }
    std::atomic<int> count{0};
};

} // namespace

class FixscopeWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        tzset();
        QVERIFY(live_.IsValid());
        QVERIFY(noisy_.IsValid());
        // COM3: a receiver whose every checksum is wrong; COM5: a good one.
        // No other port number stands for a device.
        qputenv("FIXSCOPE_PORTS", QByteArray("3=") + noisy_.DevicePath().c_str() +
                                      ";5=" + live_.DevicePath().c_str());
        noisy_.Start(WithBadChecksums(SimulatedReceiver::FixScenario()), 200ms);
    }

    void init()
    {
        window_ = std::make_unique<FixscopeClass>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup()
    {
        window_.reset();
        live_.Stop();
    }

    void windowLayout()
    {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Fixscope"));
        QTabWidget* tabs = FindControl<QTabWidget>(window_.get(), IDC_TABS);
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Setup"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("GPS Status"));
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("GpsSetupWnd"));
        auto* ports = FindControl<QComboBox>(window_.get(), IDC_PORT);
        auto* rates = FindControl<QComboBox>(window_.get(), IDC_BAUD);
        QCOMPARE(ports->count(), 10);
        QCOMPARE(ports->currentText(), QStringLiteral("COM1:"));
        QCOMPARE(ports->itemText(9), QStringLiteral("COM10:"));
        QCOMPARE(rates->currentText(), QStringLiteral("4800"));
        QCOMPARE(rates->count(), 9);
        auto* exit = FindControl<QAction>(window_.get(), IDM_EXIT);
        QVERIFY(exit && FindControl<QAction>(window_.get(), IDM_ABOUT));
        QCOMPARE(exit->text(), QStringLiteral("Exit"));
    }

    void commandsNeedAnOpenDevice()
    {
        for (int id : {IDC_HOT_START, IDC_COLD_START, IDC_WARM_START, IDC_POWER_SAVE, IDC_SBAS})
            QVERIFY2(!FindControl(window_.get(), id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(FindControl(window_.get(), IDC_SCAN)->isEnabled());
        auto* hot = FindControl<QPushButton>(window_.get(), IDC_HOT_START);
        QCOMPARE(hot->text(), QStringLiteral("Hot Start"));
        QTest::mouseClick(hot, Qt::LeftButton);
        QVERIFY(!window_->Setup()->SendCommand("$PSRF104,0,0,0,96000,237759,922,12,1*", true));
        QCOMPARE(window_->Setup()->Log()->count(), 0);
    }

    void scanFindsTheReceiverAndSelectsItsPort()
    {
        live_.Start(SimulatedReceiver::FixScenario(), 200ms);
        window_->Setup()->SelectRate(9600);
        QStringList headers;
        QStringList log;
        WhenModal<PortScanDialog>([&](PortScanDialog* dialog) {
            auto* poll = new QTimer(dialog);
            connect(poll, &QTimer::timeout, dialog, [&, dialog] {
                if (headers.isEmpty() || headers.last() != dialog->Header())
                    headers << dialog->Header();
                if (!dialog->IsScanning()) {
                    log = Lines(dialog->Log());
                    dialog->accept();
                }
            });
            poll->start(10);
        });
        QTest::mouseClick(FindControl<QPushButton>(window_.get(), IDC_SCAN), Qt::LeftButton);

        QStringList expected;
        for (int n = 1; n <= 10; ++n)
            expected << (n == 3   ? QStringLiteral("Scan COM3...(None)")
                         : n == 5 ? QStringLiteral("Scan COM5...Found GPS!")
                                  : QString::asprintf("Scan COM%d...(Open failed)", n));
        expected << QStringLiteral("Scan completed!");
        QCOMPARE(log, expected);
        QVERIFY(headers.contains(QStringLiteral("Baudrate 9600 ScanningCOM3...")));
        QCOMPARE(headers.last(), QStringLiteral("Scanning finished!"));
        // The list names the device behind each number.
        auto* ports = FindControl<QComboBox>(window_.get(), IDC_PORT);
        QCOMPARE(ports->currentText(),
                 QStringLiteral("COM5: ") + QString::fromStdString(live_.DevicePath()));
        QCOMPARE(ports->itemText(2),
                 QStringLiteral("COM3: ") + QString::fromStdString(noisy_.DevicePath()));
        QCOMPARE(ports->itemText(3), QStringLiteral("COM4:"));

        // The scan let go of every port.
        SerialChannel channel;
        QVERIFY(channel.Open("COM5:", 4800, PortMap::Load()));
    }

    void statusPageShowsTheFix()
    {
        // The port is open before the receiver talks: opening flushes input.
        OpenLive();
        live_.Start(SimulatedReceiver::FixScenario(), 100ms);
        GpsStausWnd* status = window_->Status();
        // The page starts empty on open: wait for every sentence of the round,
        // the date of GPRMC included.
        QTRY_VERIFY_WITH_TIMEOUT(status->State().satellitesInView == 10 &&
                                     status->State().fixType == '3' &&
                                     status->State().altitude > 0 && status->State().year == 2026,
                                 5000);
        // The log had every sentence from the first one on: each of the
        // first round follows "GPS Open..." in the order sent.
        QStringList log = Lines(window_->Setup()->Log());
        QCOMPARE(log.value(0), QStringLiteral("GPS Open..."));
        QVERIFY2(log.value(1).startsWith(QStringLiteral("$GPRMC,195512.000")),
                 qPrintable(log.join('|')));
        QVERIFY(log.value(2).startsWith(QStringLiteral("$GPGGA,195512.000")));
        QVERIFY(status->DeviceOpen());
        StatusTexts t = status->Texts();
        QCOMPARE(t.date, std::string("2026/12/07"));
        QCOMPARE(t.time, std::string("19:55:12"));
        QCOMPARE(t.latitude, std::string("N  47'36'7.4\" "));
        QCOMPARE(t.longitude, std::string("W 122'19'34.1\" "));
        QCOMPARE(t.fix, std::string("Acquiring: 3D"));
        QCOMPARE(t.hdop, std::string("0.9 "));
        QCOMPARE(t.pdop, std::string("1.8 "));
        QCOMPARE(t.course, std::string("NW84"));
        QCOMPARE(t.speed, std::string("23 km/hr"));
        QCOMPARE(t.altitude, std::string("152 m"));
        QVERIFY(
            Lines(window_->Setup()->Log())
                .contains(QStringLiteral("$GPGSA,A,3,02,05,07,13,15,20,24,29,,,,,1.8,0.9,1.5")));

        // Drawn at its own size: sky view and signal bars where and as they belong.
        window_->ShowPage(FixscopeClass::StatusPage);
        status->resize(GpsStausWnd::kCanvasWidth, GpsStausWnd::kCanvasHeight);
        QImage page = status->grab().toImage();
        QCOMPARE(page.pixelColor(3, 160), QColor(0, 0, 200)); // PRN 2 used, SNR 44: full bar
        QCOMPARE(page.pixelColor(3, 150), QColor(Qt::white)); // ...and no higher
        // PRN 2 (used) at elevation 67, azimuth 45; PRN 30 (not used) at 5, 150.
        const QColor blue(0, 0, 255);
        const QColor red(255, 0, 0);
        QVERIFY(HasColourNear(page, 88, 65, 3, blue));
        QVERIFY(!HasColourNear(page, 88, 65, 3, red));
        QVERIFY(HasColourNear(page, 107, 128, 3, red));
        QVERIFY(!HasColourNear(page, 107, 128, 3, blue));
    }

    void fourteenSatellitesDrawTwelve()
    {
        // Open first, then the receiver talks: opening flushes input, which
        // could drop the GPGSA that marks the satellites used.
        OpenLive();
        live_.Start({SimulatedReceiver::Sentence("GPGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,"
                                                 "1.5,1.0,1.1"),
                     SimulatedReceiver::Sentence(
                         "GPGSV,4,1,14,01,10,100,40,02,20,110,40,03,30,120,40,04,40,130,40"),
                     SimulatedReceiver::Sentence(
                         "GPGSV,4,2,14,05,50,140,40,06,60,150,40,07,70,160,40,08,80,170,40"),
                     SimulatedReceiver::Sentence(
                         "GPGSV,4,3,14,09,15,180,40,10,25,190,40,11,35,200,40,12,45,210,40"),
                     SimulatedReceiver::Sentence("GPGSV,4,4,14,13,55,220,40,14,65,230,40")},
                    100ms);
        GpsStausWnd* status = window_->Status();
        QTRY_VERIFY_WITH_TIMEOUT(status->State().satellitesInView == 14 &&
                                     status->State().satellites[11].prn == 12 &&
                                     status->State().IsUsed(12),
                                 5000);
        window_->ShowPage(FixscopeClass::StatusPage);
        status->resize(GpsStausWnd::kCanvasWidth, GpsStausWnd::kCanvasHeight);
        QImage page = status->grab().toImage();
        QCOMPARE(page.pixelColor(20 * 11 + 3, 160), QColor(0, 0, 200)); // the twelfth bar
    }

    void commandsReachTheReceiverByteForByte()
    {
        live_.Start({}, 1s); // listens only
        OpenLive();
        auto* hot = FindControl<QPushButton>(window_.get(), IDC_HOT_START);
        auto* cold = FindControl<QPushButton>(window_.get(), IDC_COLD_START);
        QVERIFY(hot->isEnabled() && cold->isEnabled());
        QVERIFY(!FindControl(window_.get(), IDC_SCAN)->isEnabled());

        // The second command comes while the first is still being written.
        QTest::mouseClick(hot, Qt::LeftButton);
        QTest::mouseClick(cold, Qt::LeftButton);
        LogListBox* log = window_->Setup()->Log();
        QTRY_VERIFY_WITH_TIMEOUT(Lines(log).contains(QStringLiteral("           ...Done")), 5000);
        const std::string hotBytes = "\r\n$PSRF104,0,0,0,96000,237759,922,12,1*2B\r\n";
        // The cold start was refused while the writer was busy: the log shows
        // one command, and the whole stream compared below has no other bytes.
        QVERIFY(live_.WaitForReceived(hotBytes.size(), 2s));
        QCOMPARE(live_.Received().substr(0, hotBytes.size()), hotBytes);
        QCOMPARE(Lines(log).filter(QStringLiteral("$PSRF104")),
                 QStringList{QStringLiteral("$PSRF104,0,0,0,96000,237759,922,12,1*")});

        // Power saving goes without the leading line end, SBAS with it.
        auto* powerSave = FindControl<QCheckBox>(window_.get(), IDC_POWER_SAVE);
        powerSave->click();
        QVERIFY(powerSave->isChecked());
        QTRY_COMPARE_WITH_TIMEOUT(Lines(log).count(QStringLiteral("           ...Done")), 2, 5000);
        auto* sbas = FindControl<QCheckBox>(window_.get(), IDC_SBAS);
        sbas->click();
        QTRY_COMPARE_WITH_TIMEOUT(Lines(log).count(QStringLiteral("           ...Done")), 3, 5000);
        powerSave->click();
        QTRY_COMPARE_WITH_TIMEOUT(Lines(log).count(QStringLiteral("           ...Done")), 4, 5000);
        const std::string all = hotBytes + "$PSRF107,0,400,1000*08\r\n" + "\r\n$PSRF108,01*03\r\n" +
                                "$PSRF107,0,1000,1000*3D\r\n";
        QVERIFY(live_.WaitForReceived(all.size(), 2s));
        QCOMPARE(live_.Received(), all);

        // Closing turns the commands off again.
        QTest::mouseClick(FindControl<QPushButton>(window_.get(), IDC_OPEN_CLOSE), Qt::LeftButton);
        QCOMPARE(FindControl<QPushButton>(window_.get(), IDC_OPEN_CLOSE)->text(),
                 QStringLiteral("Open GPS"));
        QCOMPARE(Lines(log).last(), QStringLiteral("GPS Close.."));
        QVERIFY(!hot->isEnabled());
        QVERIFY(FindControl(window_.get(), IDC_SCAN)->isEnabled());
        QVERIFY(!window_->Status()->DeviceOpen());
    }

    void openFailureIsReported()
    {
        window_->Setup()->SelectPort(7); // no device behind it
        QString text;
        QString title;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            title = box->windowTitle();
            QCOMPARE(box->icon(), QMessageBox::Information);
            box->accept();
        });
        QTest::mouseClick(FindControl<QPushButton>(window_.get(), IDC_OPEN_CLOSE), Qt::LeftButton);
        QCOMPARE(text, QStringLiteral("Can not open COMPORT."));
        QCOMPARE(title, QStringLiteral("Fixscope"));
        QVERIFY(!window_->Device().IsOpen());
        QCOMPARE(FindControl<QPushButton>(window_.get(), IDC_OPEN_CLOSE)->text(),
                 QStringLiteral("Open GPS"));
    }

    void reopenShowsNothingOfTheLastSession()
    {
        OpenLive();
        live_.Start(SimulatedReceiver::FixScenario(), 100ms);
        GpsStausWnd* status = window_->Status();
        QTRY_VERIFY_WITH_TIMEOUT(status->State().satellitesInView == 10, 5000);
        // Let the reader post more updates without letting the window take
        // them: they are still queued when the port closes and reopens.
        MessageCounter counter;
        QVERIFY(window_->Device().AddListener(&counter));
        const int posted = counter.count + 3;
        for (auto until = std::chrono::steady_clock::now() + 5s;
             counter.count < posted && std::chrono::steady_clock::now() < until;)
            std::this_thread::yield();
        window_->Device().RemoveListener(&counter);
        QVERIFY(counter.count >= posted);
        live_.Stop(); // silent from now on

        auto* button = FindControl<QPushButton>(window_.get(), IDC_OPEN_CLOSE);
        QTest::mouseClick(button, Qt::LeftButton); // close
        QTest::mouseClick(button, Qt::LeftButton); // and open again
        QCOMPARE(button->text(), QStringLiteral("Close GPS"));
        QCoreApplication::processEvents(); // what the last session had queued
        QCOMPARE(status->State().satellitesInView, 0);
        QCOMPARE(status->State().fixType, GpsRecord{}.fixType);
        StatusTexts blank = FormatStatus(GpsRecord{}, std::time(nullptr));
        QCOMPARE(status->Texts().latitude, blank.latitude);
        QCOMPARE(status->Texts().altitude, blank.altitude);
    }

    void unpluggedDeviceClosesThePort()
    {
        // COM6: a receiver that is unplugged while open.
        const QByteArray ports = qgetenv("FIXSCOPE_PORTS");
        auto unplugged = std::make_unique<SimulatedReceiver>();
        QVERIFY(unplugged->IsValid());
        qputenv("FIXSCOPE_PORTS", ports + ";6=" + unplugged->DevicePath().c_str());
        window_->Setup()->SelectPort(6);
        auto* button = FindControl<QPushButton>(window_.get(), IDC_OPEN_CLOSE);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), QStringLiteral("Close GPS"));
        unplugged->Start(SimulatedReceiver::FixScenario(), 100ms);
        QTRY_VERIFY_WITH_TIMEOUT(window_->Status()->State().satellitesInView == 10, 5000);

        unplugged.reset(); // both sides of the line are gone
        QTRY_COMPARE_WITH_TIMEOUT(button->text(), QStringLiteral("Open GPS"), 5000);
        qputenv("FIXSCOPE_PORTS", ports);
        LogListBox* log = window_->Setup()->Log();
        QVERIFY2(Lines(log).last().startsWith(QStringLiteral("GPS Close: the device went away")),
                 qPrintable(Lines(log).join('|')));
        QVERIFY(!window_->Device().IsOpen());
        QVERIFY(!window_->Status()->DeviceOpen());
        QVERIFY(!FindControl(window_.get(), IDC_HOT_START)->isEnabled());
        QVERIFY(!FindControl(window_.get(), IDC_COLD_START)->isEnabled());
        QVERIFY(FindControl(window_.get(), IDC_SCAN)->isEnabled());
    }

    void logKeepsTheLastHundredLines()
    {
        LogListBox* log = window_->Setup()->Log();
        for (int i = 0; i < 150; ++i)
            log->AddLine(QString::number(i));
        QCOMPARE(log->count(), LogListBox::kMaxLines);
        QCOMPARE(log->item(0)->text(), QStringLiteral("50"));
        QCOMPARE(log->item(99)->text(), QStringLiteral("149"));
    }

    void signalsCloseThePortInOrder()
    {
        // The program itself, ended by a shutdown, Ctrl+C or a closed
        // terminal while its port is open: it closes the port as Exit does,
        // so that the port's exclusive flag goes and the next program (a
        // user's, whom the flag stops where root passes) opens it.
        SimulatedReceiver receiver;
        QVERIFY(receiver.IsValid());
        receiver.Start(SimulatedReceiver::FixScenario(), 200ms);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FIXSCOPE_PORTS"),
                   QStringLiteral("1=") + QString::fromStdString(receiver.DevicePath()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
            QProcess fixscope;
            fixscope.setProcessEnvironment(env);
            fixscope.start(
                QStringLiteral(FIXSCOPE_PROGRAM),
                {QStringLiteral("--port"), QStringLiteral("1"), QStringLiteral("--open")});
            QVERIFY(fixscope.waitForStarted());
            const auto pid = static_cast<pid_t>(fixscope.processId());
            QTRY_VERIFY_WITH_TIMEOUT(
                HoldsDevice(pid, receiver.DevicePath()) && CatchesSignal(pid, signal), 30000);
            QCOMPARE(::kill(pid, signal), 0);
            QVERIFY(fixscope.waitForFinished(30000));
            QVERIFY2(fixscope.exitStatus() == QProcess::NormalExit && fixscope.exitCode() == 0,
                     qPrintable(QStringLiteral("signal %1: %2")
                                    .arg(signal)
                                    .arg(QString::fromLocal8Bit(fixscope.readAllStandardError()))));
            SerialLine next;
            QVERIFY2(next.Open(receiver.DevicePath(), 4800), next.Error().c_str());
            next.Close();
        }
    }

private:
    // Whether the process has the device open.
    static bool HoldsDevice(pid_t pid, const std::string& device)
    {
        std::error_code error;
        const auto fds = std::filesystem::path("/proc") / std::to_string(pid) / "fd";
        for (const auto& fd : std::filesystem::directory_iterator(fds, error))
            if (std::filesystem::read_symlink(fd.path(), error) == device)
                return true;
        return false;
    }
    // Whether the process has its own handler for the signal.
    static bool CatchesSignal(pid_t pid, int signal)
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("SigCgt:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
        return false;
    }

    void OpenLive()
    {
        window_->Setup()->SelectPort(5);
        auto* button = FindControl<QPushButton>(window_.get(), IDC_OPEN_CLOSE);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), QStringLiteral("Close GPS"));
        QCOMPARE(Lines(window_->Setup()->Log()).first(), QStringLiteral("GPS Open..."));
    }

    SimulatedReceiver live_;
    SimulatedReceiver noisy_;
    std::unique_ptr<FixscopeClass> window_;
};

QTEST_MAIN(FixscopeWindowTest)
#include "FixscopeWindowTest.moc"
