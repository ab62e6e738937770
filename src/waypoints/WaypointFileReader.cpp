#include "waypoints/WaypointFileReader.h"

#include "base/BackgroundFileWriter.h"
#include "base/ByteChecksum.h"
#include "base/FileByteReader.h"
#include "base/PositionalFile.h"
#include "base/TextCodec.h"
#include "units/NumberText.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointRecordParser.h"
#include "waypoints/WaypointTextSource.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace hw {
namespace {

constexpr uint64_t kHeaderSize = 11; // magic, version, record count

// Version 1 is text: one waypoint a line, fields separated by 0x1F.
constexpr char kFieldSeparator = 0x1F;
constexpr size_t kMaxLineLength = 8191;

void ParseTextLine(std::string_view line, AnsiDecoder& ansi, Waypoint& w)
{
    // Texts of this version start empty and numbers 0; a missing name reads
    // as "Untitled".
    w.strSoundFile.clear();
    w.strURL.clear();
    w.dActiveWPDistance = 0;
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t sep = line.find(kFieldSeparator, start);
        fields.push_back(line.substr(start, sep == std::string_view::npos ? sep : sep - start));
        if (sep == std::string_view::npos || fields.size() == 17)
            break;
        start = sep + 1;
    }
    auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };
    auto text = [&](size_t i, std::string& out) {
        if (!field(i).empty())
            out = ansi.Decode(field(i));
    };
    auto integer = [&](size_t i, auto& out) {
        if (!field(i).empty())
            out = ParseIntPrefix(field(i));
    };
    if (!field(0).empty())
        w.nLatitude = MicrodegreesFromDegrees(ParseRealPrefix(field(0)));
    if (!field(1).empty())
        w.nLongitude = MicrodegreesFromDegrees(ParseRealPrefix(field(1)));
    if (!field(2).empty())
        w.fAltitude = static_cast<float>(ParseRealPrefix(field(2)));
    text(3, w.strName);
    integer(4, w.icon);
    integer(6, w.bActiveWaypoint);
    if (!field(7).empty())
        w.dActiveWPDistance = ParseRealPrefix(field(7));
    text(8, w.strSoundFile);
    text(9, w.strComment);
    integer(10, w.nType);
    integer(11, w.nGeocacheState);
    integer(12, w.timeGeochacheFound);
    integer(13, w.bUseGeocacheStateForIconID);
    text(14, w.strURL);
    integer(15, w.timeCreated);
    integer(16, w.nActiveWaypointMessageType);
}

// A text database holds no NUL byte and separates its fields with 0x1F; any
// other file without the magic is not a database, and is left alone.
bool LooksLikeTextDatabase(FileByteReader& in)
{
    bool separator = false;
    char chunk[65536];
    while (in.Remaining() > 0) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(sizeof chunk, in.Remaining()));
        if (!in.Read(chunk, n))
            return false;
        if (std::memchr(chunk, 0, n) != nullptr)
            return false;
        separator = separator || std::memchr(chunk, kFieldSeparator, n) != nullptr;
    }
    return separator || in.Size() == 0;
}

int LoadText(WaypointDatabase& db, FileByteReader& in, WaypointFileInfo& info)
{
    if (!LooksLikeTextDatabase(in) || !in.Rewind())
        return 0;
    info.version = 1;
    AnsiDecoder ansi;
    std::string line;
    while (in.ReadLine(line, kMaxLineLength)) {
        if (line.empty() || line == "\r")
            continue;
        Waypoint w;
        ParseTextLine(line, ansi, w);
        if (db.AddUnchecked(w) > 0)
            ++info.recordsRead;
    }
    return 1;
}

// The file read front to back through a window of its bytes, with pread: a
// record is parsed from the window, which moves on and grows as the records
// need.
class RecordWindow {
public:
    explicit RecordWindow(const PositionalFile& file) : file_(file) {}

    // The bytes from offset on, at least more than were there before when
    // the file holds more; empty at the end.
    std::string_view From(uint64_t offset, bool more)
    {
        const uint64_t have = start_ + bytes_.size();
        const bool inside = offset >= start_ && offset <= have;
        if (!inside || (have < end_ && (more || have - offset < kMinimum))) {
            uint64_t want = kStep;
            if (more && inside)
                want = std::max(want, 2 * (have - offset));
            const uint64_t size = std::min(want, end_ > offset ? end_ - offset : 0);
            bytes_.resize(size);
            const std::size_t read = file_.ReadAt(offset, bytes_.data(), bytes_.size());
            if (read < size) {
                end_ = offset + read; // shortened since it was opened, or gone
                shortened_ = true;
            }
            bytes_.resize(read);
            start_ = offset;
        }
        return std::string_view(bytes_).substr(offset - start_);
    }
    // The window holds every byte the file has from offset on.
    bool ReachesEnd(uint64_t offset) const
    {
        return start_ <= offset && start_ + bytes_.size() >= end_;
    }
    bool Shortened() const { return shortened_; }

private:
    static constexpr uint64_t kStep = 4 << 20;
    static constexpr uint64_t kMinimum = 64 << 10;
    const PositionalFile& file_;
    std::string bytes_;
    uint64_t start_ = 0;
    uint64_t end_ = file_.Size();
    bool shortened_ = false;
};

int LoadBinary(WaypointDatabase& db, std::unique_ptr<PositionalFile> file, int version,
               WaypointTexts texts, WaypointFileInfo& info)
{
    info.version = version;
    if (version >= 8)
        return 0;
    char header[kHeaderSize];
    int32_t count = 0;
    if (file->ReadAt(0, header, kHeaderSize) < kHeaderSize) {
        info.truncated = true;
        return 1;
    }
    std::memcpy(&count, header + 7, sizeof count);
    info.declaredCount = count;
    const PositionalFile& opened = *file; // stays where it is when the source takes it
    std::shared_ptr<const WaypointTextSource> source;
    if (texts == WaypointTexts::Deferred)
        source = std::make_shared<WaypointTextSource>(std::move(file), version);
    RecordWindow window(opened);
    WaypointRecordParser parser({}, version);
    const auto mode =
        source ? WaypointRecordParser::Texts::Defer : WaypointRecordParser::Texts::Decode;
    uint64_t offset = kHeaderSize;
    for (int32_t i = 0; i < count; ++i) {
        Waypoint w;
        std::string_view bytes = window.From(offset, false);
        uint64_t end = 0;
        // A record longer than the window: the window grows until it holds
        // the record or the rest of the file.
        parser.Reset(bytes);
        while (!parser.Read(end, w, mode) && !window.ReachesEnd(offset)) {
            bytes = window.From(offset, true);
            parser.Reset(bytes);
            w = Waypoint();
            end = 0;
        }
        if (end == 0) {
            info.truncated = true;
            break;
        }
        if (source)
            w.file = {source, offset, end, ByteChecksum(bytes.data(), end), true, true};
        offset += end;
        if (db.AddLoaded(std::move(w)) > 0)
            ++info.recordsRead;
    }
    info.shortened = window.Shortened();
    return 1;
}

} // namespace

int LoadWaypointDatabase(WaypointDatabase& db, const std::string& path, WaypointFileInfo* infoOut,
                         bool rewriteTextVersion, WaypointTexts texts)
{
    // A save of this process still writing the file goes first: a load never
    // reads it one change behind.
    BackgroundFileWriter::WaitForPath(path);
    WaypointFileInfo info;
    db.Clear();
    auto file = std::make_unique<PositionalFile>();
    FileByteReader in;
    int result = 0;
    if (file->Open(path)) {
        info.opened = true;
        db.BindFile(path, file->Identity());
        char header[7];
        const std::size_t read = file->ReadAt(0, header, sizeof header);
        if (read >= 6 && std::string_view(header, 6) == std::string_view(kWaypointFileMagic, 6)) {
            result = read == 7 ? LoadBinary(db, std::move(file),
                                            static_cast<unsigned char>(header[6]), texts, info)
                               : 1;
            info.truncated = info.truncated || read < 7;
            if (result == 0)
                db.Clear();
        } else if (in.Open(path) && LoadText(db, in, info) == 1) {
            result = 1;
            db.SetModified(false);
            info.rewritten = rewriteTextVersion && SaveWaypointDatabase(db, path) == 1;
        }
    } else {
        db.BindFile(path, FileIdentity::Of(path));
    }
    db.SetModified(false);
    if (infoOut)
        *infoOut = info;
    return result;
}

} // namespace hw
