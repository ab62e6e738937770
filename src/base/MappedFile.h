#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hw {

// A file mapped read-only into memory, with the identity it had when it was
// opened. Another program may replace the file by renaming a new one over it
// (the mapping keeps the old contents) or rewrite it in place (the mapping
// would show the new bytes, or fault past a shortened end): Unchanged() tells
// the two apart, so that a reader never takes bytes of another file for its
// own.
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file cannot be opened or mapped (an empty file maps as
    // no bytes).
    bool Open(const std::string& path);
    std::string_view Bytes() const { return {data_, size_}; }
    uint64_t Size() const { return size_; }
    // The file behind the mapping still has the size and modification time
    // it had when it was opened.
    bool Unchanged() const;
    // The pages of [from, to) leave this process's memory; they come back
    // from the file when next read. A pass over a large file calls this
    // behind itself, so that it does not hold the whole file.
    void Release(uint64_t from, uint64_t to) const;

private:
    int fd_ = -1;
    const char* data_ = nullptr;
    uint64_t size_ = 0;
    int64_t modifiedSeconds_ = 0;
    int64_t modifiedNanoseconds_ = 0;
};

} // namespace hw
