// fixscope-reopen DEVICE: opens, closes and opens the device again with the
// program's serial line, as the user does with Open → Close → Open. Prints
// the reason and exits 1 when an open fails. The tests run it as an
// unprivileged user, whom the terminal's exclusive flag stops and root not.
#include "core/SerialLine.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fixscope-reopen DEVICE\n");
        return 2;
    }
    for (int round = 1; round <= 3; ++round) {
        fixscope::SerialLine line;
        if (!line.Open(argv[1], 4800)) {
            std::printf("open %d: %s\n", round, line.Error().c_str());
            return 1;
        }
        line.Close();
    }
    std::printf("reopened\n");
    return 0;
}
