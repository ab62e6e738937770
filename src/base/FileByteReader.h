#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace hw {

// Reads a file front to back through a buffer, little-endian numbers, and
// knows how many bytes are left, so that a reader never asks for more than
// the file holds. Every Read* returns false (and reads nothing) when the
// file does not hold that many bytes any more.
class FileByteReader {
public:
    FileByteReader() = default;
    ~FileByteReader();
    FileByteReader(const FileByteReader&) = delete;
    FileByteReader& operator=(const FileByteReader&) = delete;

    bool Open(const std::string& path);
    uint64_t Size() const { return size_; }
    uint64_t Remaining() const { return size_ - position_; }
    bool Rewind();

    bool Read(void* out, std::size_t size);
    bool ReadU8(uint8_t& v) { return Read(&v, 1); }
    bool ReadU16(uint16_t& v);
    bool ReadU32(uint32_t& v);
    bool ReadI32(int32_t& v);
    bool ReadF32(float& v);
    bool ReadF64(double& v);
    // Reads up to the next LF (dropped) or the end; false at the end of the
    // file. A line longer than maxLength keeps its first maxLength bytes.
    bool ReadLine(std::string& line, std::size_t maxLength);

private:
    bool Fill();

    int fd_ = -1;
    uint64_t size_ = 0;
    uint64_t position_ = 0; // bytes handed out
    char buffer_[131072];
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

} // namespace hw
