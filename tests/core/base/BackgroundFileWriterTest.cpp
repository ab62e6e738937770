#include "base/BackgroundFileWriter.h"
#include "core/TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace hw {
namespace {

TEST(BackgroundFileWriterTest, WritesInOrderAndTheNewestBytesOfAPathWin)
{
    test::TempDir dir;
    const std::string a = dir.Path("a.bin");
    const std::string b = dir.Path("b.bin");
    BackgroundFileWriter writer;
    for (int i = 0; i < 200; ++i) {
        writer.Write(a, "a" + std::to_string(i));
        writer.Write(b, std::string(static_cast<size_t>(i) * 100, 'b'));
    }
    writer.Wait();
    EXPECT_EQ(test::ReadFileBytes(a), "a199");
    EXPECT_EQ(test::ReadFileBytes(b), std::string(19900, 'b'));
    EXPECT_EQ(writer.Failed(), 0u);
    // Waiting writes of the same path were replaced, not all written.
    EXPECT_GE(writer.Written(), 2u);
    EXPECT_LE(writer.Written(), 400u);
}

TEST(BackgroundFileWriterTest, AFailedWriteKeepsTheOldFileAndIsCounted)
{
    test::TempDir dir;
    BackgroundFileWriter writer;
    writer.Write(dir.Path("missing/folder/x.trk"), "bytes");
    writer.Wait();
    EXPECT_EQ(writer.Failed(), 1u);
    EXPECT_EQ(writer.Written(), 0u);

    // The destructor finishes what was asked.
    const std::string kept = dir.Path("kept.bin");
    {
        BackgroundFileWriter last;
        last.Write(kept, "last words");
    }
    EXPECT_EQ(test::ReadFileBytes(kept), "last words");
}

TEST(BackgroundFileWriterTest, AMadeFileIsToldAndAReaderWaitsForIt)
{
    test::TempDir dir;
    const std::string path = dir.Path("made.bin");
    std::atomic<int> told{0};
    BackgroundFileWriter writer;
    writer.Write(
        path, [](ByteSink& sink) { return sink.Write("made", 4); },
        [&told](bool written) { told = written ? 1 : -1; });
    // Another writer's reader: waits for the write of this process.
    BackgroundFileWriter::WaitForPath(path);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(test::ReadFileBytes(path), "made");
    EXPECT_FALSE(writer.Pending(path));

    // Bytes that cannot be made: told, the old file stays.
    writer.Write(
        path, [](ByteSink& sink) { return sink.Write("par", 3) && false; },
        [&told](bool written) { told = written ? 1 : -1; });
    writer.Wait();
    EXPECT_EQ(told, -1);
    EXPECT_EQ(test::ReadFileBytes(path), "made");
    EXPECT_EQ(writer.Failed(), 1u);
}

} // namespace
} // namespace hw
