// A simulated GPS receiver for trying Fixscope without hardware: prints the
// pseudo-terminal to open, then sends a 3D fix once a second until killed.
// Bytes it receives (Fixscope's commands) are written to standard error.
#include "support/SimulatedReceiver.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int)
{
    stopRequested = 1;
}
} // namespace

int main()
{
    fixscope::test::SimulatedReceiver receiver;
    if (!receiver.IsValid()) {
        std::fprintf(stderr, "fixscope-receiver: cannot open a pseudo-terminal\n");
        return 1;
    }
    std::signal(SIGTERM, RequestStop);
    std::signal(SIGINT, RequestStop);
    std::printf("%s\n", receiver.DevicePath().c_str());
    std::fflush(stdout);
    receiver.Start(fixscope::test::SimulatedReceiver::FixScenario(), std::chrono::seconds(1));
    std::size_t shown = 0;
    while (!stopRequested) {
        ::usleep(100000);
        std::string received = receiver.Received();
        if (received.size() > shown) {
            std::fwrite(received.data() + shown, 1, received.size() - shown, stderr);
            shown = received.size();
        }
    }
    return 0;
}
