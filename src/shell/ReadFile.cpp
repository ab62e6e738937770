#include "shell/ReadFile.h"

#include <cstdio>
#include <memory>

namespace hw {

bool ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& out)
{
    out.clear();
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    char buffer[65536];
    for (;;) {
        std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
        if (out.size() + n > maxBytes) {
            out.clear();
            return false;
        }
        out.append(buffer, n);
        if (n < sizeof buffer)
            break;
    }
    if (std::ferror(file.get())) {
        out.clear();
        return false;
    }
    return true;
}

} // namespace hw
