// Keeping the desktop awake, against a screen saver on a private session bus.
#include "gui/KeepAwake.h"
#include "core/SerialChannel.h"
#include "gui/GpsStausWnd.h"
#include "support/SimulatedReceiver.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <thread>

using namespace fixscope;

// The desktop's screen saver: counts inhibitions and releases.
class ScreenSaverPeer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    int inhibits = 0;
    QList<uint> released;
    QString application;

public slots:
    uint Inhibit(const QString& app, const QString&)
    {
        application = app;
        return static_cast<uint>(100 + ++inhibits);
    }
    void UnInhibit(uint cookie) { released << cookie; }
};

class KeepAwakeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        // The README's commands install it: missing is a fault, not a skip.
        QVERIFY2(!daemon.isEmpty(), "dbus-daemon is not installed");
        bus_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                            QStringLiteral("--print-address=1")});
        QVERIFY(bus_.waitForStarted());
        QTRY_VERIFY(bus_.canReadLine());
        address_ = QString::fromLatin1(bus_.readLine()).trimmed();
        // Fixscope's own connection is the session bus; the peer has another.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toLatin1());
        QVERIFY(QDBusConnection::sessionBus().isConnected());
    }

    void cleanupTestCase()
    {
        bus_.kill();
        bus_.waitForFinished();
    }

    void silentWithoutAScreenSaver()
    {
        KeepAwake awake(nullptr, 100);
        awake.Poke();
        QTRY_VERIFY(awake.IsUnavailable()); // the bus answered: nobody there
        QVERIFY(!awake.IsHolding());
        awake.Poke(); // still nothing, and no error
        QVERIFY(!awake.IsHolding());
    }

    void updatesHoldTheScreenSaverOff()
    {
        ScreenSaverPeer peer;
        QDBusConnection peerBus = QDBusConnection::connectToBus(address_, QStringLiteral("peer"));
        QVERIFY(peerBus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &peer,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(peerBus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));

        {
            SerialChannel device;
            GpsStausWnd page(device);
            // Updates come from the reader thread, as the device sends them.
            std::thread reader([&page] {
                GpsRecord state;
                for (int i = 0; i < 5; ++i)
                    page.OnDeviceMessage(kUpdateMessage, state);
            });
            reader.join();
            QTRY_COMPARE(page.UpdatesSeen(), 5);
            QTRY_VERIFY(page.Awake()->IsHolding());
            QCOMPARE(peer.inhibits, 1); // held once, not once per update
            QCOMPARE(peer.application, QStringLiteral("Fixscope"));
        }
        // Closing the page lets the screen saver go.
        QTRY_COMPARE(peer.released, QList<uint>{101});

        // With no further updates the hold ends by itself.
        KeepAwake awake(nullptr, 200);
        awake.Poke();
        QTRY_VERIFY(awake.IsHolding());
        QTRY_COMPARE(peer.released.size(), 2);
        QCOMPARE(peer.released.last(), 102u);
        QVERIFY(!awake.IsHolding());

        peerBus.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
        QDBusConnection::disconnectFromBus(QStringLiteral("peer"));
    }

private:
    QProcess bus_;
    QString address_;
};

QTEST_MAIN(KeepAwakeTest)
#include "KeepAwakeTest.moc"
