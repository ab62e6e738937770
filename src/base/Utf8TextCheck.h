#pragma once

#include <string>
#include <string_view>

namespace hw {

// Whether a file's text is UTF-8: valid throughout, with at least one
// multi-byte sequence; otherwise a reader takes it as the code page. The
// bytes may come in pieces cut anywhere (a sequence split between two pieces
// is checked as one), so the choice never depends on how the file was read.
class Utf8TextCheck {
public:
    void Add(std::string_view piece);
    // A file that ends inside a sequence is not UTF-8.
    bool IsUtf8Text() const { return valid_ && multiByte_ && pending_ == 0; }

private:
    bool valid_ = true;
    bool multiByte_ = false;
    int pending_ = 0;          // continuation bytes still to come
    unsigned char low_ = 0x80; // the range of the next continuation byte
    unsigned char high_ = 0xBF;
};

bool IsUtf8Text(std::string_view bytes);
// The same choice over a whole file; a file that cannot be read says no.
bool IsUtf8TextFile(const std::string& path);

} // namespace hw
