#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace hw::test {

// Builds database files of the older layouts byte by byte.
class FileBuilder {
public:
    explicit FileBuilder(int version, int32_t count) : version_(version)
    {
        bytes_ = "KORVWP";
        bytes_ += static_cast<char>(version);
        I32(count);
    }
    FileBuilder& U8(int v)
    {
        bytes_ += static_cast<char>(v);
        return *this;
    }
    FileBuilder& U16(int v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
    FileBuilder& I32(int32_t v)
    {
        auto u = static_cast<uint32_t>(v);
        return U16(static_cast<int>(u & 0xFFFF)).U16(static_cast<int>(u >> 16));
    }
    FileBuilder& F32(float v)
    {
        uint32_t u;
        std::memcpy(&u, &v, 4);
        return I32(static_cast<int32_t>(u));
    }
    FileBuilder& F64(double v)
    {
        char b[8];
        std::memcpy(b, &v, 8);
        bytes_.append(b, 8);
        return *this;
    }
    // A string in the version's encoding; S8 takes the bytes as given,
    // S16/S32 take ASCII text.
    FileBuilder& Str(const std::string& s)
    {
        if (version_ >= 2 && version_ <= 4) {
            U16(static_cast<int>(s.size()));
            bytes_ += s;
            return *this;
        }
        if (version_ == 5 || version_ == 6)
            U16(static_cast<int>(s.size()));
        else
            I32(static_cast<int32_t>(s.size()));
        for (char c : s)
            U16(static_cast<unsigned char>(c));
        return *this;
    }
    // UTF-16 code units as given, in a S16 or S32 string.
    FileBuilder& Units(const std::u16string& units)
    {
        if (version_ == 5 || version_ == 6)
            U16(static_cast<int>(units.size()));
        else
            I32(static_cast<int32_t>(units.size()));
        for (char16_t u : units)
            U16(u);
        return *this;
    }
    // A whole record: name, comment, one log text; the rest fixed values.
    FileBuilder& Record(const std::string& name, int32_t altitudeField = 0, int icon = 24)
    {
        return RecordNamedBy([&] { Str(name); }, altitudeField, icon);
    }
    // As Record, the name written by a function of the builder.
    template <typename Name>
    FileBuilder& RecordNamedBy(Name&& name, int32_t altitudeField = 0, int icon = 24)
    {
        I32(47500000).I32(-122250000);
        if (version_ == 2)
            I32(altitudeField);
        else
            F32(100.5f);
        name();
        U16(icon).U8(1).F64(0.5).Str("beep.wav").Str("comment");
        U16(1).U16(8).I32(1200000000).U8(1).Str("http://x").I32(1100000000).U16(3);
        Str("note");
        if (version_ >= 4 || version_ <= 1)
            I32(77);
        U8(1).Str("<b>long</b>").U8(0).Str("short").Str("hint").U8(0).U8(1);
        Str("cache").Str("Regular").Str("Country").Str("State").Str("me").Str("Traditional");
        U8(15).U8(25);
        if (version_ >= 6 || version_ <= 1)
            U8(1);
        if (version_ >= 4 || version_ <= 1)
            for (int i = 0; i < 5; ++i)
                Str("log" + std::to_string(i)).U8(1).U8(0).I32(1000 + i).Str("finder");
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    int version_;
    std::string bytes_;
};

} // namespace hw::test
