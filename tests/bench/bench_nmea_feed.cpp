// Throughput of NmeaParser::Feed() over a long simulated walk (the bundled
// demo log, repeated): MB/s and sentences/s, in the reader's 128-byte reads
// and in large blocks.
#include "base/NotificationSink.h"
#include "gps/NmeaParser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

const std::string& Stream()
{
    static const std::string stream = [] {
        std::string one;
        std::string path = std::string(HIKEWISE_SOURCE_DIR) + "/resources/demo/demo.nmea";
        if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
            char buffer[65536];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
                one.append(buffer, n);
            std::fclose(f);
        }
        std::string all;
        while (!one.empty() && all.size() < (64u << 20))
            all += one;
        return all;
    }();
    return stream;
}

// Counts posts, as the window side would queue them.
class CountingSink final : public hw::NotificationSink {
public:
    void Post(uint32_t, uintptr_t, intptr_t) override { ++posted; }
    uint64_t posted = 0;
};

void FeedInChunks(benchmark::State& state)
{
    const std::string& stream = Stream();
    if (stream.empty()) {
        state.SkipWithError("resources/demo/demo.nmea not found");
        return;
    }
    size_t chunk = static_cast<size_t>(state.range(0));
    uint64_t sentences = 0;
    for (auto _ : state) {
        CountingSink sink;
        hw::NmeaParser parser(&sink);
        for (size_t i = 0; i < stream.size(); i += chunk)
            parser.Feed(stream.data() + i, std::min(chunk, stream.size() - i));
        sentences += parser.SentenceCount();
        benchmark::DoNotOptimize(parser.Snapshot().altitude);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
    state.counters["sentences/s"] =
        benchmark::Counter(static_cast<double>(sentences), benchmark::Counter::kIsRate);
    state.counters["stream_MB"] = static_cast<double>(stream.size()) / 1e6;
}
BENCHMARK(FeedInChunks)->Arg(128)->Arg(65536)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
