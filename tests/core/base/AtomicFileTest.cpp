#include "base/AtomicFile.h"
#include "base/AtomicFileWriter.h"

#include "core/TestFiles.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using hw::WriteFileAtomically;
using hw::test::ReadFileBytes;
using hw::test::TempDir;
using hw::test::WriteFileBytes;

namespace {

bool OnlyFile(const TempDir& dir, const std::string& name)
{
    for (const auto& entry : fs::directory_iterator(dir.Root()))
        if (entry.path().filename() != name)
            return false;
    return true;
}

} // namespace

TEST(AtomicFileTest, ReplacesTheBytesAndKeepsThePermissionBits)
{
    TempDir dir;
    const std::string path = dir.Path("track.trk");
    EXPECT_TRUE(WriteFileAtomically(path, "first"));
    EXPECT_EQ(ReadFileBytes(path), "first");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_TRUE(WriteFileAtomically(path, std::string("sec\0nd", 6)));
    EXPECT_EQ(ReadFileBytes(path), std::string("sec\0nd", 6));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(OnlyFile(dir, "track.trk")); // no temporary file left

    // A folder that is not there, and a path naming a folder, fail cleanly.
    EXPECT_FALSE(WriteFileAtomically(dir.Path("missing/track.trk"), "x"));
    EXPECT_FALSE(WriteFileAtomically(dir.Root() + "/", "x"));
    EXPECT_FALSE(WriteFileAtomically("", "x"));
    EXPECT_TRUE(OnlyFile(dir, "track.trk"));
}

TEST(AtomicFileTest, ALinkIsFollowedAndStaysALink)
{
    TempDir dir;
    const std::string target = dir.Path("real.trk");
    const std::string link = dir.Path("link.trk");
    WriteFileBytes(target, "old");
    fs::create_symlink(target, link);
    EXPECT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), "new");
}

TEST(AtomicFileTest, AReadOnlyFileIsNotReplaced)
{
    HW_SKIP_REST_AS_ROOT();
    TempDir dir;
    const std::string path = dir.Path("kept.trk");
    WriteFileBytes(path, "kept");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(WriteFileAtomically(path, "lost"));
    EXPECT_EQ(ReadFileBytes(path), "kept");
    EXPECT_TRUE(OnlyFile(dir, "kept.trk"));
}

TEST(AtomicFileTest, PiecesWrittenInPlaceFromSeveralThreads)
{
    // Blocks written out of order and side by side make the file; a block
    // the disk refuses fails the commit and keeps the previous file.
    TempDir dir;
    const std::string path = dir.Path("shade.pgm");
    WriteFileBytes(path, "old");
    std::string expected(64 * 1024, '\0');
    for (size_t i = 0; i < expected.size(); ++i)
        expected[i] = static_cast<char>('a' + (i * 7 + i / 4096) % 26);
    {
        hw::AtomicFileWriter out(path);
        ASSERT_TRUE(out.Open());
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&, t] {
                for (int block = 15 - t; block >= 0; block -= 4)
                    EXPECT_TRUE(out.WriteAt(block * 4096u, expected.data() + block * 4096, 4096));
            });
        for (std::thread& t : threads)
            t.join();
        EXPECT_TRUE(out.Commit());
    }
    EXPECT_EQ(ReadFileBytes(path), expected);

    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024; // a full disk after 16 KB
    ::setrlimit(RLIMIT_FSIZE, &small);
    bool written = true, committed = true;
    {
        hw::AtomicFileWriter out(path);
        if (out.Open()) {
            written = out.WriteAt(0, expected.data(), 8192) &&
                      out.WriteAt(32 * 1024, expected.data(), 8192);
            committed = out.Commit();
        }
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_FALSE(committed);
    EXPECT_EQ(ReadFileBytes(path), expected);
    EXPECT_TRUE(OnlyFile(dir, "shade.pgm"));
}
