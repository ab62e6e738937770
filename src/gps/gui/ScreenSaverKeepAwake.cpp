#include "gps/gui/ScreenSaverKeepAwake.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace hw {
namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

bool ServicePresent()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(kService).value();
}

} // namespace

ScreenSaverKeepAwake::~ScreenSaverKeepAwake()
{
    Hold(false);
}

void ScreenSaverKeepAwake::Hold(bool awake)
{
    if (awake == holding_)
        return;
    const bool present = ServicePresent();
    QDBusInterface screenSaver(kService, kPath, kService, QDBusConnection::sessionBus());
    if (!awake) {
        if (present)
            screenSaver.call(QStringLiteral("UnInhibit"), cookie_);
        holding_ = false;
        return;
    }
    if (!present)
        return;
    QDBusReply<uint> reply = screenSaver.call(QStringLiteral("Inhibit"), QStringLiteral("Hikewise"),
                                              QStringLiteral("GPS receiver in use"));
    if (reply.isValid()) {
        cookie_ = reply.value();
        holding_ = true;
    }
}

} // namespace hw
