// Replays corpora through a fuzz target without libFuzzer: every file named,
// and every file under every folder named, in name order. A run that found
// no input fails, so that a missing corpus never passes as replayed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        fs::path arg(argv[i]);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            for (const fs::directory_entry& e : fs::recursive_directory_iterator(arg, ec))
                if (e.is_regular_file())
                    inputs.push_back(e.path());
        } else if (fs::is_regular_file(arg, ec)) {
            inputs.push_back(arg);
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 1;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR|FILE...: no inputs found\n", argv[0]);
        return 1;
    }
    for (const fs::path& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
            return 1;
        }
        // A copy of its own, so that the sanitizer sees a read past the end.
        std::vector<uint8_t> data(bytes.begin(), bytes.end());
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
