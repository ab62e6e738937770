#include "gui/KeepAwake.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace fixscope {

namespace {

QDBusMessage ScreenSaverCall(const QString& method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"), method);
}

} // namespace

KeepAwake::KeepAwake(QObject* parent, int holdMs) : QObject(parent)
{
    releaseTimer_.setSingleShot(true);
    releaseTimer_.setInterval(holdMs);
    connect(&releaseTimer_, &QTimer::timeout, this, &KeepAwake::Release);
}

KeepAwake::~KeepAwake()
{
    Release();
}

void KeepAwake::Poke()
{
    if (unavailable_)
        return;
    releaseTimer_.start();
    if (inhibited_ || pending_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        unavailable_ = true;
        return;
    }
    QDBusMessage call = ScreenSaverCall(QStringLiteral("Inhibit"));
    call << QStringLiteral("Fixscope") << QStringLiteral("Receiving GPS data");
    pending_ = true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        QDBusPendingReply<uint> reply = *w;
        w->deleteLater();
        pending_ = false;
        if (reply.isError()) {
            unavailable_ = true; // no screen saver on this desktop
            return;
        }
        cookie_ = reply.value();
        inhibited_ = true;
        if (!releaseTimer_.isActive())
            Release();
    });
}

void KeepAwake::Release()
{
    if (!inhibited_)
        return;
    inhibited_ = false;
    QDBusMessage call = ScreenSaverCall(QStringLiteral("UnInhibit"));
    call << cookie_;
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
}

} // namespace fixscope
