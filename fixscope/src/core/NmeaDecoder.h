#pragma once

#include "core/GpsRecord.h"

#include <array>
#include <string_view>

namespace fixscope {

inline constexpr int kMaxFields = 49;

// The fields of one sentence: field 0 is the name without '$', the last one
// recorded is the checksum text.
struct SentenceFields {
    std::array<std::string_view, kMaxFields> field{};
    int count = 0;

    // Field `index`, or an empty text when the sentence is shorter.
    std::string_view At(int index) const;
};

// Splits a line at ',', '*', CR and LF, starting after its leading '$'.
SentenceFields Tokenise(std::string_view line);

// XOR of the characters after '$' up to the first '*', CR or LF.
unsigned SentenceChecksum(std::string_view line);

// Reads an unsigned decimal number. Any character other than a digit or a
// single point makes the whole value 0, so signed values read as 0.
double ReadDecimal(std::string_view text);

// The whole part of a reading held inside the int range; negative and
// not-a-number values give 0.
int WholeNumber(double value);

// Reads leading hexadecimal digits; stops at the first other character.
unsigned ReadHex(std::string_view text);

// What decoding a line did.
enum class DecodeResult {
    Dropped, // bad checksum, unknown sentence or not a sentence at all
    Stored,  // applied to the record but not an update (an unfinished GPGSV group)
    Update,  // RMC, GGA, GSA or the GSV that completed its group
};

// Applies one NMEA line (starting with '$') to a record. The four sentences
// are taken from the GPS talker and from those of the other satellite
// systems (GN, GL, GA, GB, BD, GQ, QZ, GI) alike.
DecodeResult DecodeSentence(std::string_view line, GpsRecord& record);

} // namespace fixscope
