// Writes the benchmarks' generated pocket query, for the scripts that time
// the programs on it (tools/bench-waypoints.sh).
//   bench_pocket_query FILE CACHES
#include "bench/PocketQuery.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 3 || std::atoi(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: bench_pocket_query FILE CACHES\n");
        return 2;
    }
    if (!bench::WritePocketQuery(argv[1], std::atoi(argv[2]))) {
        std::fprintf(stderr, "bench_pocket_query: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %d caches, %.1f MB\n", argv[1], std::atoi(argv[2]),
                static_cast<double>(std::filesystem::file_size(argv[1])) / 1e6);
    return 0;
}
