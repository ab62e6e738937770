#include "waypoints/WaypointFileWriter.h"

#include "base/AtomicFileWriter.h"
#include "base/BackgroundFileWriter.h"
#include "base/BufferedWriter.h"
#include "base/TextCodec.h"
#include "waypoints/WaypointRecordParser.h"
#include "waypoints/WaypointTextSource.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace hw {
namespace {

// S32: count of UTF-16 code units, then the UTF-16LE code units, converted
// straight into the writer's buffer.
void PutString(BufferedWriter& out, const std::string& text)
{
    // A UTF-8 text never has more UTF-16 code units than bytes.
    char* at = out.Reserve(4 + 2 * text.size());
    if (at == nullptr)
        return;
    const uint32_t units = static_cast<uint32_t>(Utf8ToUtf16Le(text, at + 4));
    const unsigned char count[4] = {
        static_cast<unsigned char>(units), static_cast<unsigned char>(units >> 8),
        static_cast<unsigned char>(units >> 16), static_cast<unsigned char>(units >> 24)};
    std::memcpy(at, count, 4);
    out.Commit(4 + 2 * static_cast<size_t>(units));
}

// Encodes a record; the long texts come from texts (the record's own
// geocache, or the texts decoded from its file).
void PutRecord(BufferedWriter& out, const Waypoint& w, const GeocacheInfo& texts)
{
    const GeocacheInfo& g = w.geocache;
    out.PutI32(w.nLatitude);
    out.PutI32(w.nLongitude);
    out.PutF32(w.fAltitude);
    PutString(out, w.strName);
    out.PutU16(static_cast<uint16_t>(w.icon));
    out.PutU8(static_cast<uint8_t>(w.bActiveWaypoint));
    out.PutF64(w.dActiveWPDistance);
    PutString(out, w.strSoundFile);
    PutString(out, w.strComment);
    out.PutU16(static_cast<uint16_t>(w.nType));
    out.PutU16(static_cast<uint16_t>(w.nGeocacheState));
    out.PutI32(w.timeGeochacheFound);
    out.PutU8(static_cast<uint8_t>(w.bUseGeocacheStateForIconID));
    PutString(out, w.strURL);
    out.PutI32(w.timeCreated);
    out.PutU16(static_cast<uint16_t>(w.nActiveWaypointMessageType));
    PutString(out, w.strFieldNotes);
    out.PutI32(w.nVisitLogType);
    out.PutU8(static_cast<uint8_t>(g.bLongDescriptionHtml));
    PutString(out, texts.strLongDescription);
    out.PutU8(static_cast<uint8_t>(g.bShortDescriptionHtml));
    PutString(out, texts.strShortDescription);
    PutString(out, texts.strEncodedHints);
    out.PutU8(static_cast<uint8_t>(g.bAvailable));
    out.PutU8(static_cast<uint8_t>(g.bArchived));
    PutString(out, g.strCacheName);
    PutString(out, g.strContainer);
    PutString(out, g.strCountry);
    PutString(out, g.strState);
    PutString(out, g.strPlacedBy);
    PutString(out, g.strCacheType);
    out.PutU8(g.nDifficulty);
    out.PutU8(g.nTerrain);
    out.PutU8(static_cast<uint8_t>(g.bFieldNotePending));
    for (size_t i = 0; i < g.logs.size(); ++i) {
        const GeocacheLog& log = g.logs[i];
        PutString(out, texts.logs[i].strText);
        out.PutU8(log.nLogType);
        out.PutU8(static_cast<uint8_t>(log.bTextEncoded));
        out.PutI32(log.timeDate);
        PutString(out, texts.logs[i].strFinder);
    }
}

// Writes records, copying those that are as their file holds them as bytes.
// Runs beside the UI thread on a snapshot: it reads only the persistent
// fields of the records and copies none of them. The bytes of loaded
// records are read again through a window over their file, and taken only
// when they are the bytes that were loaded: a record whose bytes the file
// no longer holds is not written at all (never with empty texts), and the
// save fails.
class RecordWriter {
public:
    RecordWriter(BufferedWriter& out, bool copyUnchanged) : out_(out), copy_(copyUnchanged) {}

    void Put(const Waypoint& w)
    {
        if (lost_)
            return;
        const WaypointFileRecord& f = w.file;
        if (!f.source || !(f.textsDeferred || (copy_ && f.asInFile))) {
            PutRecord(out_, w, w.geocache);
            return;
        }
        const std::optional<std::string_view> bytes = RecordBytes(f);
        if (!bytes) {
            lost_ = true;
            return;
        }
        if (copy_ && f.asInFile) {
            parser_->Reset(*bytes);
            if (parser_->WritesBackUnchanged(0, f.size)) {
                out_.Put(bytes->data(), bytes->size());
                return;
            }
        }
        if (!f.textsDeferred) {
            PutRecord(out_, w, w.geocache);
            return;
        }
        texts_.geocache = GeocacheInfo();
        if (!f.source->DecodeTexts(*bytes, texts_)) {
            lost_ = true;
            return;
        }
        PutRecord(out_, w, texts_.geocache);
    }
    // A record's bytes were no longer in its file.
    bool Lost() const { return lost_; }

private:
    std::optional<std::string_view> RecordBytes(const WaypointFileRecord& f)
    {
        const bool inWindow = f.source.get() == source_ && f.offset >= start_ &&
                              f.offset - start_ + f.size <= window_.size();
        if (!inWindow) {
            if (f.source.get() != source_)
                parser_.emplace(std::string_view(), f.source->Version());
            source_ = f.source.get();
            start_ = f.offset;
            window_.resize(std::max<uint64_t>(f.size, kWindow));
            window_.resize(f.source->ReadAt(f.offset, window_.data(), window_.size()));
            if (window_.size() < f.size)
                return std::nullopt; // shortened, or its medium is gone
        }
        const std::string_view bytes = std::string_view(window_).substr(f.offset - start_, f.size);
        if (!WaypointTextSource::Matches(f, bytes))
            return std::nullopt; // rewritten by another program
        return bytes;
    }

    static constexpr uint64_t kWindow = 1 << 20;

    BufferedWriter& out_;
    bool copy_;
    bool lost_ = false;
    const WaypointTextSource* source_ = nullptr;
    std::string window_;
    uint64_t start_ = 0;
    std::optional<WaypointRecordParser> parser_;
    Waypoint texts_;
};

} // namespace

bool WriteWaypointSnapshot(const WaypointDatabase::Snapshot& records, ByteSink& sink,
                           RecordCopy copy, WaypointSaveProblem* problem)
{
    BufferedWriter out(sink);
    out.Put(kWaypointFileMagic, 6);
    out.PutU8(kWaypointFileVersion);
    out.PutI32(records.Count());
    RecordWriter writer(out, copy == RecordCopy::Unchanged);
    records.ForEach([&writer](const Waypoint& w) { writer.Put(w); });
    const bool written = out.Flush();
    if (problem)
        *problem = writer.Lost() ? WaypointSaveProblem::FileChanged
                   : !written    ? WaypointSaveProblem::CannotWrite
                                 : WaypointSaveProblem::None;
    return written && !writer.Lost();
}

bool WriteWaypointDatabase(const WaypointDatabase& db, ByteSink& sink)
{
    return WriteWaypointSnapshot(db.TakeSnapshot(), sink, RecordCopy::Unchanged);
}

bool SaveWaypointSnapshot(const WaypointDatabase::Snapshot& records, const std::string& path,
                          WaypointSaveProblem* problem)
{
    // A background save of older records must not land after this one.
    BackgroundFileWriter::WaitForPath(path);
    WaypointSaveProblem found = WaypointSaveProblem::CannotWrite;
    AtomicFileWriter file(path);
    bool saved = false;
    if (!records.File()->MayReplace(path))
        found = WaypointSaveProblem::FileChanged;
    else if (file.Open() && WriteWaypointSnapshot(records, file, RecordCopy::Unchanged, &found))
        saved = file.Commit();
    if (saved)
        records.File()->Saved(path);
    if (problem)
        *problem = saved                                ? WaypointSaveProblem::None
                   : found == WaypointSaveProblem::None ? WaypointSaveProblem::CannotWrite
                                                        : found;
    return saved;
}

int SaveWaypointDatabase(WaypointDatabase& db, const std::string& path,
                         WaypointSaveProblem* problem)
{
    const WaypointDatabase::Snapshot records = db.TakeSnapshot();
    if (!SaveWaypointSnapshot(records, path, problem))
        return 0;
    db.MarkSaved(records.Stamp());
    return 1;
}

} // namespace hw
