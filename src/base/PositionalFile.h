#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace hw {

// What tells one state of a file from another without reading it: the file
// itself (device and inode), its size and its modification and change
// times. Any write, truncation, rename over it or time stamp set by hand
// changes the change time, which no program can set back.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    int64_t changedSeconds = 0;
    int64_t changedNanoseconds = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
    // The identity of the file at path now; none when there is none.
    static std::optional<FileIdentity> Of(const std::string& path);
};

// A file held open and read at given places with pread. Another program
// may shorten it in place or its medium may go away: a read then comes up
// short and fails, where a mapping would fault. Safe to read from several
// threads at once.
class PositionalFile {
public:
    PositionalFile() = default;
    ~PositionalFile();
    PositionalFile(const PositionalFile&) = delete;
    PositionalFile& operator=(const PositionalFile&) = delete;

    // False when the file cannot be opened or is not a regular file.
    bool Open(const std::string& path);
    // The size and identity the file had when it was opened.
    uint64_t Size() const { return opened_.size; }
    const FileIdentity& Identity() const { return opened_; }
    // Reads size bytes at offset into out; the number of bytes read, fewer
    // when the file now ends before (or cannot be read any more).
    std::size_t ReadAt(uint64_t offset, char* out, std::size_t size) const;

    // Tests change files between reads: hook is called before each read of
    // any file with the file's path and the read's offset (none: no hook).
    using ReadHook = std::function<void(const std::string& path, uint64_t offset)>;
    static void SetReadHookForTesting(ReadHook hook);

private:
    int fd_ = -1;
    std::string path_;
    FileIdentity opened_;
};

} // namespace hw
