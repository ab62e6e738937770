#include "gui/QuitOnSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace fixscope {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];
int g_wake[2] = {-1, -1}; // read end, write end
struct sigaction g_before[kSignalCount];

extern "C" void WriteSignal(int number)
{
    // Async-signal-safe only: one byte into a pipe that never blocks.
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t n = ::write(g_wake[1], &byte, 1);
    errno = saved;
}

} // namespace

QuitOnSignals::QuitOnSignals(QObject* parent) : QObject(parent)
{
    if (g_wake[0] >= 0 || ::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(g_wake[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitOnSignals::OnSignal);
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    installed_ = true;
    for (int i = 0; i < kSignalCount; ++i)
        installed_ = ::sigaction(kSignals[i], &action, &g_before[i]) == 0 && installed_;
}

QuitOnSignals::~QuitOnSignals()
{
    if (!notifier_)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &g_before[i], nullptr);
    delete notifier_;
    ::close(g_wake[0]);
    ::close(g_wake[1]);
    g_wake[0] = g_wake[1] = -1;
}

void QuitOnSignals::OnSignal()
{
    unsigned char byte = 0;
    while (::read(g_wake[0], &byte, 1) == 1) {
    }
    // Ends a dialog's loop too; the window then closes the port as it goes.
    QCoreApplication::quit();
}

} // namespace fixscope
