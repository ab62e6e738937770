#include "terrain/HgtRaster.h"

#include <cctype>
#include <cstdint>

namespace hw {

namespace {

// The south-west corner of the tile named like N22W160 (case aside, any
// suffix after .hgt's dot is checked by the caller).
bool CornerOfName(const std::string& name, int& lat, int& lon)
{
    if (name.size() < 7)
        return false;
    auto digits = [&](size_t at, size_t count, int& value) {
        value = 0;
        for (size_t i = at; i < at + count; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i])))
                return false;
            value = value * 10 + (name[i] - '0');
        }
        return true;
    };
    const char ns = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    const char ew = static_cast<char>(std::toupper(static_cast<unsigned char>(name[3])));
    if ((ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W') || !digits(1, 2, lat) ||
        !digits(4, 3, lon))
        return false;
    if (ns == 'S')
        lat = -lat;
    if (ew == 'W')
        lon = -lon;
    return lat >= -90 && lat < 90 && lon >= -180 && lon < 180;
}

bool HasHgtSuffix(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string suffix = name.substr(name.size() - 4);
    for (char& c : suffix)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix == ".hgt";
}

} // namespace

std::unique_ptr<HgtRaster> HgtRaster::Open(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return Open(path, slash == std::string::npos ? path : path.substr(slash + 1));
}

std::unique_ptr<HgtRaster> HgtRaster::Open(const std::string& path, const std::string& name)
{
    int lat = 0, lon = 0;
    if (!HasHgtSuffix(name) || !CornerOfName(name, lat, lon))
        return nullptr;
    std::unique_ptr<HgtRaster> tile(new HgtRaster);
    if (!tile->file_.Open(path))
        return nullptr;
    struct Shape {
        int width, height;
    };
    for (Shape s : {Shape{1201, 1201}, Shape{3601, 3601}, Shape{1801, 3601}}) {
        if (tile->file_.Size() == 2ull * static_cast<uint64_t>(s.width) * s.height) {
            tile->width_ = s.width;
            tile->height_ = s.height;
        }
    }
    if (tile->width_ == 0)
        return nullptr;
    const double stepX = 1.0 / (tile->width_ - 1);
    const double stepY = 1.0 / (tile->height_ - 1);
    tile->placement_ = GridPlacement{lon - 0.5 * stepX, lat + 1 + 0.5 * stepY, stepX, -stepY};
    return tile;
}

void HgtRaster::ReadRow(int row, float* out) const
{
    const auto* in = reinterpret_cast<const uint8_t*>(file_.Bytes().data()) +
                     2 * static_cast<size_t>(row) * static_cast<size_t>(width_);
    for (int c = 0; c < width_; ++c) {
        const auto h =
            static_cast<int16_t>(static_cast<uint16_t>((in[2 * c] << 8) | in[2 * c + 1]));
        out[c] = h == -32768 ? ElevationGrid::kVoid : static_cast<float>(h);
    }
}

} // namespace hw
