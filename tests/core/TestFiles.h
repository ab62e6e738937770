#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

namespace hw::test {

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the test.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "hwtest.XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir()
    {
        std::error_code ec;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Root() const { return path_; }

private:
    std::string path_;
};

inline std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Writes bytes as a new file (a file truncated and rewritten is flushed to
// disk when closed, which makes thousands of small writes slow).
inline void WriteNewFile(const std::string& path, const std::string& bytes)
{
    std::remove(path.c_str());
    WriteFileBytes(path, bytes);
}

// The folder of files made by other programs: $HIKEWISE_PEER_DATA_DIR, or the
// one beside the source tree.
inline std::string PeerDataDir()
{
    if (const char* env = std::getenv("HIKEWISE_PEER_DATA_DIR"); env && *env)
        return env;
    return HIKEWISE_PEER_DATA_DIR;
}

// True when the peer data are there; otherwise the test is skipped, or fails
// when HIKEWISE_REQUIRE_PEER_DATA=1.
#define HW_REQUIRE_PEER_DATA(subfolder)                                                            \
    do {                                                                                           \
        if (!std::filesystem::is_directory(::hw::test::PeerDataDir() + "/" + (subfolder))) {       \
            const char* req = std::getenv("HIKEWISE_REQUIRE_PEER_DATA");                           \
            if (req && std::string(req) == "1")                                                    \
                FAIL() << "peer data missing: " << ::hw::test::PeerDataDir();                      \
            GTEST_SKIP() << "peer data missing: " << ::hw::test::PeerDataDir();                    \
        }                                                                                          \
    } while (0)

// Ends the test as skipped when it runs as root, who may write read-only
// files and folders: the checks that follow run in the unprivileged pass.
#define HW_SKIP_REST_AS_ROOT()                                                                     \
    do {                                                                                           \
        if (::geteuid() == 0)                                                                      \
            GTEST_SKIP() << "as root: read-only checks run in the unprivileged pass";              \
    } while (0)

} // namespace hw::test
