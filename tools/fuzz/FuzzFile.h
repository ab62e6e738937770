#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace hw::fuzz {

// A private folder for the files a target hands to a reader that takes a
// path; removed when the process ends normally.
class FuzzFile {
public:
    static FuzzFile& Instance()
    {
        static FuzzFile instance;
        return instance;
    }

    // Writes the bytes as dir/name and returns the path.
    std::string Write(const char* name, const void* data, std::size_t size)
    {
        std::string path = dir_ + "/" + name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr || (size > 0 && std::fwrite(data, 1, size, f) != size) ||
            std::fclose(f) != 0) {
            std::perror(path.c_str());
            std::abort(); // the target cannot run without its file
        }
        return path;
    }
    std::string Path(const char* name) const { return dir_ + "/" + name; }

    ~FuzzFile()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

private:
    FuzzFile()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/hwfuzz.XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror(pattern.c_str());
            std::abort();
        }
        dir_ = pattern;
    }

    std::string dir_;
};

} // namespace hw::fuzz
