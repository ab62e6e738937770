#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace hw {

// The comma-separated fields of one sentence's data (the text between the
// comma after the address and the '*'), split once so that a decoder reads
// each field without walking the sentence again. Field 0 is the first field
// after the address. A field ends at the next ',' or '*' or the end of the
// data and is cut to kMaxFieldLength characters; an empty view means absent.
class NmeaFields {
public:
    static constexpr size_t kFieldCapacity = 25; // field copies: 24 characters and a zero
    static constexpr size_t kMaxFieldLength = kFieldCapacity - 1;

    // data is read up to its terminating zero, at most maxLength characters
    // (at most 65535).
    NmeaFields(const char* data, size_t maxLength);
    // The fields of exactly these characters (at most 65535).
    explicit NmeaFields(std::string_view data);

    std::string_view operator[](size_t index) const
    {
        if (index >= count_)
            return {};
        const size_t n = static_cast<size_t>(ends_[index] - starts_[index]);
        return std::string_view(data_ + starts_[index], n < kMaxFieldLength ? n : kMaxFieldLength);
    }
    size_t Count() const { return count_; }

    // The character of a one-letter field, or fallback when absent.
    char Letter(size_t index, char fallback) const;

private:
    static constexpr size_t kMaxFields = 256;
    void Add(size_t start, size_t end);

    const char* data_;
    size_t count_ = 0;
    uint16_t starts_[kMaxFields];
    uint16_t ends_[kMaxFields];
};

// The field extractor: copies the index-th field of the zero-terminated data
// into out (at most capacity - 1 characters, then a zero) and tells whether
// the field is present. out is empty when it is absent.
bool ExtractNmeaField(const char* data, size_t index, char* out, size_t capacity);

// Number readings of the C library's kind that never fail: text that is not a
// number reads as 0. They read the leading number and ignore what follows,
// always with a '.' decimal point whatever the process locale.
int32_t NmeaInteger(std::string_view text);  // saturates at the int32 range
int32_t NmeaTwoDigit(std::string_view text); // the integer of the first two characters
double NmeaReal(std::string_view text);      // finite, or 0

// dd(d)mm.mmmm: the first degreeDigits characters are the degrees, the rest
// the minutes.
double NmeaCoordinate(std::string_view text, size_t degreeDigits);

// The characters of text from position on, empty when text is shorter.
inline std::string_view NmeaTail(std::string_view text, size_t position)
{
    return position < text.size() ? text.substr(position) : std::string_view();
}

} // namespace hw
