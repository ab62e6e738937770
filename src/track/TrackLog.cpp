#include "track/TrackLog.h"

#include "base/AtomicFile.h"
#include "base/DecimalSetting.h"
#include "geo/SphericalGeometry.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace hw {
namespace {

GeoPoint ToGeo(const TrackPoint& p)
{
    return {p.lat, p.lon, p.alt};
}

uint32_t ReadU32(const unsigned char* b)
{
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}
int32_t ReadI32(const unsigned char* b)
{
    return static_cast<int32_t>(ReadU32(b));
}
float ReadF32(const unsigned char* b)
{
    uint32_t bits = ReadU32(b);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}
int ReadU16(const unsigned char* b)
{
    return b[0] | b[1] << 8;
}

void PutU32(std::string& out, uint32_t v)
{
    char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                 static_cast<char>(v >> 24)};
    out.append(b, 4);
}
void PutF32(std::string& out, float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    PutU32(out, bits);
}

// Reads one record of the given file version into p.
TrackPoint DecodeRecord(int version, const unsigned char* r)
{
    TrackPoint p;
    p.lat = ReadI32(r);
    p.lon = ReadI32(r + 4);
    p.alt = ReadF32(r + 8);
    p.segmentStart = ReadI32(r + 12);
    if (version == 2) {
        p.time = ReadI32(r + 16);
    } else if (version == 1) {
        UtcDateTime t{ReadU16(r + 16), ReadU16(r + 18), ReadU16(r + 20),
                      ReadU16(r + 22), ReadU16(r + 24), ReadU16(r + 26)};
        p.time = TrackTime(SecondsFromUtc(t));
    }
    return p;
}

// Records are restored unless they hold no position at all (latitude,
// longitude and altitude all zero: an unused slot) or an impossible one.
bool Restorable(TrackPoint& p)
{
    if (!std::isfinite(p.alt))
        p.alt = 0;
    if (p.lat == 0 && p.lon == 0 && p.alt == 0)
        return false;
    return p.lat >= -90000000 && p.lat <= 90000000 && p.lon >= -180000000 && p.lon <= 180000000;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

void TrackLog::Ring::Append(const TrackPoint& p)
{
    if (count == kCapacity) {
        read = Wrap(read + 1u);
        --count;
        points[read].segmentStart = 1;
    }
    points[write] = p;
    write = Wrap(write + 1u);
    ++count;
}

TrackLog::TrackLog()
{
    ring_.points.resize(kCapacity);
}

void TrackLog::AddPoint(TrackPoint point)
{
    if (!std::isfinite(point.alt))
        point.alt = 0;
    if (ring_.count == 0)
        point.segmentStart = 1;
    current_ = point;
    double d = DistanceKmMicro(ToGeo(lastLogged_), ToGeo(current_));
    if (d >= kJumpKm)
        point.segmentStart = 1;
    if (filterEnabled_ == 0 || d > filterThreshold_) {
        if (resumeStartsSegment_)
            point.segmentStart = 1;
        resumeStartsSegment_ = false;
        ring_.Append(point);
        lastLogged_ = current_;
        ++changes_;
    }
    double d2 = DistanceKmMicro(ToGeo(courseReference_), ToGeo(current_));
    if (courseThresholdEnabled_ == 0 || d2 > courseThreshold_) {
        computedCourse_ = BearingToward(ToGeo(current_), ToGeo(courseReference_));
        courseReference_ = current_;
    }
}

void TrackLog::Clear()
{
    ring_.count = ring_.read = ring_.write = 0;
    resumeStartsSegment_ = false;
    ++changes_;
}

const TrackPoint& TrackLog::At(uint16_t i) const
{
    return ring_.points[Wrap(uint32_t{ring_.read} + i)];
}

int TrackLog::SegmentCount() const
{
    int segments = 0;
    for (uint16_t i = 0; i < ring_.count; ++i)
        segments += At(i).segmentStart == 1;
    return segments;
}

const TrackPoint* TrackLog::First()
{
    cursor_ = ring_.read;
    if (ring_.count == 0)
        return nullptr;
    return &ring_.points[cursor_];
}

const TrackPoint* TrackLog::Next()
{
    cursor_ = Wrap(cursor_ + 1u);
    return &ring_.points[cursor_];
}

void TrackLog::ApplySettings(const SettingsStore& settings)
{
    using namespace track_setting;
    filterThreshold_ = GetDecimalSetting(settings, section::kMap, kFilterThreshold, 0.005);
    courseThreshold_ = GetDecimalSetting(settings, section::kMap, kCourseThreshold, 0.005);
    filterEnabled_ = settings.GetInt(section::kMap, kFilterEnabled, 1);
    courseThresholdEnabled_ = 1 - settings.GetInt(section::kMap, kUseGpsCourse, 1);
}

std::string TrackLog::FileBytes() const
{
    std::string out;
    out.reserve(4 + 20 * size_t{ring_.count});
    PutU32(out, kHeaderV2);
    for (uint16_t i = 0; i < ring_.count; ++i) {
        const TrackPoint& p = At(i);
        PutU32(out, static_cast<uint32_t>(p.lat));
        PutU32(out, static_cast<uint32_t>(p.lon));
        PutF32(out, p.alt);
        PutU32(out, static_cast<uint32_t>(p.segmentStart));
        PutU32(out, static_cast<uint32_t>(p.time));
    }
    return out;
}

int TrackLog::Save(const std::string& path)
{
    return WriteFileAtomically(path, FileBytes()) ? 1 : 0;
}

int TrackLog::Load(const std::string& path)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    struct stat info {};
    // Only a regular file: a device or a pipe could be endless.
    if (!file || ::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    unsigned char header[4];
    size_t got = std::fread(header, 1, 4, file.get());
    int version = 0;
    if (got == 4 && ReadU32(header) == kHeaderV2)
        version = 2;
    else if (got == 4 && ReadU32(header) == kHeaderV1)
        version = 1;
    size_t recordSize = version == 2 ? 20 : version == 1 ? 28 : 16;
    if (version == 0)
        std::rewind(file.get());

    Ring loaded;
    loaded.points.resize(kCapacity);
    // Whole records are read a block at a time; a trailing part record is
    // dropped.
    constexpr size_t kBlockRecords = 4096;
    std::vector<unsigned char> block(kBlockRecords * recordSize);
    size_t carry = 0;
    for (;;) {
        size_t n = std::fread(block.data() + carry, 1, block.size() - carry, file.get());
        size_t have = carry + n;
        size_t whole = have / recordSize * recordSize;
        for (size_t off = 0; off < whole; off += recordSize) {
            TrackPoint p = DecodeRecord(version, block.data() + off);
            if (Restorable(p))
                loaded.Append(p);
        }
        carry = have - whole;
        std::memmove(block.data(), block.data() + whole, carry);
        if (n == 0)
            break;
    }
    if (std::ferror(file.get()))
        return 0;
    if (loaded.count > 0)
        loaded.points[loaded.read].segmentStart = 1;
    ring_ = std::move(loaded);
    ++changes_;
    // What is recorded next is a new walk, not a line from the last point
    // of the file.
    resumeStartsSegment_ = ring_.count > 0;
    return 1;
}

} // namespace hw
