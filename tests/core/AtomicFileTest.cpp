#include "base/AtomicFile.h"

#include "core/TestFiles.h"

#include <filesystem>
#include <sys/stat.h>

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
