#include "terrain/GeoTiffRaster.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

namespace hw {

namespace {

// Tags of the TIFF and GeoTIFF standards and GDAL's no-data tag.
enum Tag : uint16_t {
    kImageWidth = 256,
    kImageLength = 257,
    kBitsPerSample = 258,
    kCompression = 259,
    kStripOffsets = 273,
    kSamplesPerPixel = 277,
    kRowsPerStrip = 278,
    kStripByteCounts = 279,
    kTileWidth = 322,
    kTileLength = 323,
    kTileOffsets = 324,
    kTileByteCounts = 325,
    kSampleFormat = 339,
    kCopyright = 33432,
    kModelPixelScale = 33550,
    kModelTiepoint = 33922,
    kModelTransformation = 34264,
    kGeoKeyDirectory = 34735,
    kGdalNoData = 42113,
};

constexpr uint16_t kModelTypeKey = 1024;
constexpr uint16_t kRasterTypeKey = 1025;
constexpr int kLargestSide = 1 << 24;

// A number with its bytes in the other order.
template <typename T> T Swapped(T v)
{
    if constexpr (sizeof(T) == 1)
        return v;
    else if constexpr (sizeof(T) == 2)
        return std::bit_cast<T>(__builtin_bswap16(std::bit_cast<uint16_t>(v)));
    else if constexpr (sizeof(T) == 4)
        return std::bit_cast<T>(__builtin_bswap32(std::bit_cast<uint32_t>(v)));
    else
        return std::bit_cast<T>(__builtin_bswap64(std::bit_cast<uint64_t>(v)));
}

// Numbers of a TIFF file in its byte order, each read only after its place
// was checked to lie in the file.
class TiffBytes {
public:
    TiffBytes(std::string_view bytes, bool big) : bytes_(bytes), big_(big) {}

    bool Has(uint64_t at, uint64_t n) const
    {
        return at <= bytes_.size() && n <= bytes_.size() - at;
    }

    template <typename T> T Read(uint64_t at) const
    {
        T v;
        std::memcpy(&v, bytes_.data() + at, sizeof v);
        return big_ != (std::endian::native == std::endian::big) ? Swapped(v) : v;
    }

private:
    std::string_view bytes_;
    bool big_;
};

// One directory entry: its type, count and where its values start.
struct Entry {
    uint16_t type = 0;
    uint64_t count = 0;
    uint64_t at = 0;
};

uint64_t TypeSize(uint16_t type)
{
    switch (type) {
    case 1: // BYTE
    case 2: // ASCII
    case 6: // SBYTE
    case 7: // UNDEFINED
        return 1;
    case 3: // SHORT
    case 8: // SSHORT
        return 2;
    case 4:  // LONG
    case 9:  // SLONG
    case 11: // FLOAT
        return 4;
    case 5:  // RATIONAL
    case 10: // SRATIONAL
    case 12: // DOUBLE
        return 8;
    default: return 0;
    }
}

class Directory {
public:
    Directory(const TiffBytes& bytes, std::map<uint16_t, Entry> entries)
        : bytes_(bytes), entries_(std::move(entries))
    {
    }

    bool Has(uint16_t tag) const { return entries_.count(tag) != 0; }

    // Unsigned integers (BYTE, SHORT, LONG).
    bool Integers(uint16_t tag, std::vector<uint64_t>& out) const
    {
        auto it = entries_.find(tag);
        if (it == entries_.end())
            return false;
        const Entry& e = it->second;
        out.clear();
        out.reserve(e.count);
        for (uint64_t i = 0; i < e.count; ++i) {
            switch (e.type) {
            case 1: out.push_back(bytes_.Read<uint8_t>(e.at + i)); break;
            case 3: out.push_back(bytes_.Read<uint16_t>(e.at + 2 * i)); break;
            case 4: out.push_back(bytes_.Read<uint32_t>(e.at + 4 * i)); break;
            default: return false;
            }
        }
        return true;
    }

    // One unsigned integer, or `absent` when the tag is missing; false when
    // the tag holds anything but one integer.
    bool Integer(uint16_t tag, uint64_t absent, uint64_t& out) const
    {
        if (!Has(tag)) {
            out = absent;
            return true;
        }
        std::vector<uint64_t> values;
        if (!Integers(tag, values) || values.empty())
            return false;
        out = values[0];
        return true;
    }

    bool Doubles(uint16_t tag, std::vector<double>& out) const
    {
        auto it = entries_.find(tag);
        if (it == entries_.end() || it->second.type != 12)
            return false;
        const Entry& e = it->second;
        out.resize(e.count);
        for (uint64_t i = 0; i < e.count; ++i)
            out[i] = bytes_.Read<double>(e.at + 8 * i);
        return true;
    }

    bool Text(uint16_t tag, std::string& out) const
    {
        auto it = entries_.find(tag);
        if (it == entries_.end() || it->second.type != 2)
            return false;
        out.clear();
        for (uint64_t i = 0; i < it->second.count; ++i) {
            auto c = static_cast<char>(bytes_.Read<uint8_t>(it->second.at + i));
            if (c == '\0')
                break;
            out.push_back(c);
        }
        return true;
    }

private:
    const TiffBytes& bytes_;
    std::map<uint16_t, Entry> entries_;
};

// The first directory of a classic TIFF: its byte order, where it lies and
// its entries, each checked to lie in the file; false for other bytes.
struct FirstDirectory {
    bool big = false;
    uint64_t at = 0, end = 0;
    std::map<uint16_t, Entry> entries;

    bool Read(std::string_view bytes)
    {
        if (bytes.size() < 8)
            return false;
        if (bytes.substr(0, 2) == "MM")
            big = true;
        else if (bytes.substr(0, 2) != "II")
            return false;
        const TiffBytes tiff(bytes, big);
        if (tiff.Read<uint16_t>(2) != 42)
            return false; // BigTIFF and other formats go to the general reader
        at = tiff.Read<uint32_t>(4);
        if (!tiff.Has(at, 2))
            return false;
        const uint16_t count = tiff.Read<uint16_t>(at);
        if (!tiff.Has(at + 2, 12ull * count))
            return false;
        end = at + 2 + 12ull * count + 4;
        for (uint16_t i = 0; i < count; ++i) {
            const uint64_t entry = at + 2 + 12ull * i;
            Entry e;
            e.type = tiff.Read<uint16_t>(entry + 2);
            e.count = tiff.Read<uint32_t>(entry + 4);
            const uint64_t size = TypeSize(e.type);
            if (size == 0)
                continue; // a type of later TIFF versions, in a tag not read here
            // Values of four bytes or less sit in the entry itself.
            e.at = size * e.count <= 4 ? entry + 8 : tiff.Read<uint32_t>(entry + 8);
            if (!tiff.Has(e.at, size * e.count))
                return false;
            entries[tiff.Read<uint16_t>(entry)] = e;
        }
        return true;
    }
};

// Samples to floats; the byte order is a template argument so that the
// loop has no branch and the compiler converts several samples at once.
template <typename T, bool OtherOrder> void ConvertAs(const uint8_t* in, int n, float* out)
{
    for (int i = 0; i < n; ++i) {
        T v;
        std::memcpy(&v, in + sizeof(T) * static_cast<size_t>(i), sizeof v);
        if constexpr (OtherOrder)
            v = Swapped(v);
        out[i] = static_cast<float>(v);
    }
}

template <typename T> void Convert(const uint8_t* in, int n, bool swap, float* out)
{
    if (swap)
        ConvertAs<T, true>(in, n, out);
    else
        ConvertAs<T, false>(in, n, out);
}

} // namespace

std::unique_ptr<GeoTiffRaster> GeoTiffRaster::Open(const std::string& path, std::string* damage)
{
    std::unique_ptr<GeoTiffRaster> raster(new GeoTiffRaster);
    if (!raster->file_.Open(path) || !raster->Parse()) {
        if (damage)
            *damage = raster->damage_;
        return nullptr;
    }
    return raster;
}

bool GeoTiffRaster::Parse()
{
    const std::string_view bytes = file_.Bytes();
    FirstDirectory first;
    if (!first.Read(bytes))
        return false;
    bigEndian_ = first.big;
    const TiffBytes tiff(bytes, bigEndian_);
    const Directory dir(tiff, std::move(first.entries));

    uint64_t width = 0, height = 0, compression = 0, samples = 0, format = 0;
    std::vector<uint64_t> bits;
    if (!dir.Integer(kImageWidth, 0, width) || !dir.Integer(kImageLength, 0, height) ||
        !dir.Integer(kCompression, 1, compression) || !dir.Integer(kSamplesPerPixel, 1, samples) ||
        !dir.Integer(kSampleFormat, 1, format) || !dir.Integers(kBitsPerSample, bits))
        return false;
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide ||
        compression != 1 || samples != 1 || bits.size() != 1)
        return false;
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    if (bits[0] == 8 && format == 1)
        sample_ = Sample::U8;
    else if (bits[0] == 16 && format == 1)
        sample_ = Sample::U16;
    else if (bits[0] == 16 && format == 2)
        sample_ = Sample::I16;
    else if (bits[0] == 32 && format == 1)
        sample_ = Sample::U32;
    else if (bits[0] == 32 && format == 2)
        sample_ = Sample::I32;
    else if (bits[0] == 32 && format == 3)
        sample_ = Sample::F32;
    else
        return false;
    sampleBytes_ = static_cast<int>(bits[0] / 8);

    // Where the grid lies: one tie point and a pixel scale, north up.
    std::vector<double> tie, scale;
    if (dir.Has(kModelTransformation) || !dir.Doubles(kModelTiepoint, tie) || tie.size() != 6 ||
        !dir.Doubles(kModelPixelScale, scale) || scale.size() < 2)
        return false;
    if (!(scale[0] > 0.0 && scale[1] > 0.0 && std::isfinite(scale[0]) && std::isfinite(scale[1])))
        return false;
    placement_ =
        GridPlacement{tie[3] - tie[0] * scale[0], tie[4] + tie[1] * scale[1], scale[0], -scale[1]};
    std::vector<uint64_t> keys;
    bool pixelIsPoint = false;
    if (dir.Integers(kGeoKeyDirectory, keys) && keys.size() >= 4) {
        const size_t n = std::min<size_t>(keys[3], (keys.size() - 4) / 4);
        for (size_t k = 0; k < n; ++k) {
            const uint64_t* key = &keys[4 + 4 * k];
            if (key[1] != 0)
                continue; // a value kept in another tag
            if (key[0] == kModelTypeKey)
                geographic_ = key[3] == 2;
            else if (key[0] == kRasterTypeKey)
                pixelIsPoint = key[3] == 2;
        }
    }
    // A tie point on a cell's centre: the grid's edge lies half a cell out.
    if (pixelIsPoint) {
        placement_.originX -= 0.5 * placement_.stepX;
        placement_.originY -= 0.5 * placement_.stepY;
    }
    if (!std::isfinite(placement_.originX) || !std::isfinite(placement_.originY))
        return false;

    std::string noData;
    if (dir.Text(kGdalNoData, noData)) {
        // Read with '.' whatever the locale; blanks and one sign may lead.
        std::string_view text(noData);
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        if (text.size() > 1 && text[0] == '+' && text[1] != '-')
            text.remove_prefix(1);
        double value = 0.0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        // No number, or one no float can hold, marks no cell (and NaN cells
        // are voids anyway).
        hasNoData_ = error == std::errc() && end != text.data() &&
                     std::abs(value) <= std::numeric_limits<float>::max();
        noData_ = hasNoData_ ? static_cast<float>(value) : 0.0f;
    }

    // The blocks: tiles, or strips as wide as the image.
    std::vector<uint64_t> offsets, counts;
    uint64_t blockWidth = 0, blockHeight = 0;
    if (dir.Has(kTileWidth) || dir.Has(kTileOffsets)) {
        if (!dir.Integer(kTileWidth, 0, blockWidth) || !dir.Integer(kTileLength, 0, blockHeight) ||
            !dir.Integers(kTileOffsets, offsets) || !dir.Integers(kTileByteCounts, counts))
            return false;
        if (blockWidth < 1 || blockHeight < 1 || blockWidth > kLargestSide ||
            blockHeight > kLargestSide)
            return false;
    } else {
        if (!dir.Integer(kRowsPerStrip, height, blockHeight) ||
            !dir.Integers(kStripOffsets, offsets) || !dir.Integers(kStripByteCounts, counts))
            return false;
        blockWidth = width;
        blockHeight = std::clamp<uint64_t>(blockHeight, 1, height);
    }
    const uint64_t across = (width + blockWidth - 1) / blockWidth;
    const uint64_t down = (height + blockHeight - 1) / blockHeight;
    if (offsets.size() != across * down || counts.size() != offsets.size())
        return false;
    const uint64_t blockBytes = blockWidth * blockHeight * static_cast<uint64_t>(sampleBytes_);
    for (size_t i = 0; i < offsets.size(); ++i) {
        // Strips hold only the rows of the image; the last may be shorter.
        // A block lies in the file and not over its header or this directory.
        const uint64_t rows = std::min(blockHeight, height - (i / across) * blockHeight);
        const uint64_t needed = blockBytes / blockHeight * rows;
        if (counts[i] < needed || !tiff.Has(offsets[i], counts[i]) || offsets[i] < 8 ||
            (offsets[i] < first.end && offsets[i] + counts[i] > first.at)) {
            damage_ = "its strips or tiles lie over its header or cannot hold their rows";
            return false;
        }
    }
    blockWidth_ = static_cast<int>(blockWidth);
    blockHeight_ = static_cast<int>(blockHeight);
    blocksAcross_ = static_cast<int>(across);
    blockOffsets_ = std::move(offsets);
    return true;
}

std::string GeoTiffRaster::Copyright(const std::string& path)
{
    MappedFile file;
    FirstDirectory first;
    if (!file.Open(path) || !first.Read(file.Bytes()))
        return {};
    const TiffBytes tiff(file.Bytes(), first.big);
    std::string text;
    if (!Directory(tiff, std::move(first.entries)).Text(kCopyright, text))
        return {};
    // Printable ASCII alone, blanks trimmed.
    std::erase_if(text, [](char c) { return c < ' ' || c > '~'; });
    const auto begin = text.find_first_not_of(' ');
    return begin == std::string::npos ? std::string{}
                                      : text.substr(begin, text.find_last_not_of(' ') + 1 - begin);
}

void GeoTiffRaster::ReadRow(int row, float* out) const
{
    const auto* base = reinterpret_cast<const uint8_t*>(file_.Bytes().data());
    const bool swap = bigEndian_ != (std::endian::native == std::endian::big);
    const int down = row / blockHeight_;
    const auto line = static_cast<uint64_t>(row % blockHeight_);
    for (int across = 0; across < blocksAcross_; ++across) {
        const int first = across * blockWidth_;
        const int n = std::min(blockWidth_, width_ - first);
        const uint8_t* in = base +
                            blockOffsets_[static_cast<size_t>(down) * blocksAcross_ + across] +
                            line * static_cast<uint64_t>(blockWidth_) * sampleBytes_;
        float* to = out + first;
        switch (sample_) {
        case Sample::U8: Convert<uint8_t>(in, n, swap, to); break;
        case Sample::U16: Convert<uint16_t>(in, n, swap, to); break;
        case Sample::I16: Convert<int16_t>(in, n, swap, to); break;
        case Sample::U32: Convert<uint32_t>(in, n, swap, to); break;
        case Sample::I32: Convert<int32_t>(in, n, swap, to); break;
        case Sample::F32: Convert<float>(in, n, swap, to); break;
        }
    }
    if (hasNoData_)
        for (int c = 0; c < width_; ++c)
            if (out[c] == noData_)
                out[c] = ElevationGrid::kVoid;
}

} // namespace hw
