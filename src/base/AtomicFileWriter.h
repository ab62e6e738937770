#pragma once

#include "base/ByteSink.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace hw {

// Replaces a file safely: the bytes go to a temporary file beside the
// target (its name, a mark of this program's and six random characters;
// such files left by a save that never ended are removed by the next); Commit() flushes and syncs
// it and renames it over the target. Any failure leaves the previous file as it was, and the
// temporary file is removed. A replaced file keeps its permission bits, a read-only file is not
// replaced, and a symbolic link is followed, so the file it names is replaced.
class AtomicFileWriter final : public ByteSink {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter() override;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file; false when it cannot be created.
    bool Open();
    bool Write(const char* data, std::size_t size) override;
    // Writes at a place in the file rather than after the last write; may
    // be called from several threads at once for ranges that do not
    // overlap. Starts the range on its way to the disk at once, so that
    // Commit's sync has less left to wait for.
    bool WriteAt(uint64_t offset, const char* data, std::size_t size);
    // True only when every byte reached the disk under the target's name.
    bool Commit();
    // Drops the temporary file.
    void Discard();

private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
    std::atomic<bool> failed_ = false;
};

} // namespace hw
