#include "waypoints/WaypointFileWriter.h"

#include "base/AtomicFileWriter.h"
#include "base/BackgroundFileWriter.h"
#include "base/BufferedWriter.h"
#include "base/TextCodec.h"
#include "waypoints/WaypointTextSource.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

namespace hw {
namespace {

// S32: count of UTF-16 code units, then the UTF-16LE code units.
void PutString(BufferedWriter& out, const std::string& text)
{
    if (text.empty()) {
        out.PutU32(0);
        return;
    }
    // Converted in a buffer that every string of the thread's saves reuses
    // (and that only grows).
    thread_local std::vector<char16_t> buffer;
    if (buffer.size() < text.size())
        buffer.resize(text.size());
    const size_t units = Utf8ToUtf16(text, buffer.data());
    out.PutU32(static_cast<uint32_t>(units));
    if constexpr (std::endian::native == std::endian::little) {
        out.Put(buffer.data(), units * 2);
    } else {
        for (size_t i = 0; i < units; ++i)
            out.PutU16(buffer[i]);
    }
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
// fields of the records and copies none of them.
class RecordWriter {
public:
    RecordWriter(BufferedWriter& out, bool copyUnchanged) : out_(out), copy_(copyUnchanged) {}
    ~RecordWriter() { ReleaseCopied(); }
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void Put(const Waypoint& w)
    {
        const WaypointFileRecord& f = w.file;
        if (copy_ && f.asInFile && f.source && CopyBytes(f))
            return;
        if (!f.textsDeferred || !f.source) {
            PutRecord(out_, w, w.geocache);
            return;
        }
        // Texts of a file changed by another program since are not taken
        // from it: they are written empty.
        texts_.geocache = GeocacheInfo();
        f.source->DecodeTexts(f.offset, f.size, texts_);
        PutRecord(out_, w, texts_.geocache);
    }

private:
    bool CopyBytes(const WaypointFileRecord& f)
    {
        if (f.source.get() != parsed_) {
            ReleaseCopied();
            parsed_ = f.source.get();
            parser_.reset();
            parser_.emplace(f.source->Bytes(), f.source->Version());
        }
        if (!f.source->Intact() || !parser_->WritesBackUnchanged(f.offset, f.size))
            return false;
        out_.Put(f.source->Bytes().data() + f.offset, f.size);
        // The copied pages leave memory behind the copy.
        copiedFrom_ = std::min(copiedFrom_, f.offset);
        copiedTo_ = std::max(copiedTo_, f.offset + f.size);
        if (copiedTo_ - copiedFrom_ >= kReleaseStep)
            ReleaseCopied();
        return true;
    }
    void ReleaseCopied()
    {
        if (parsed_ != nullptr && copiedTo_ > copiedFrom_)
            parsed_->Release(copiedFrom_, copiedTo_);
        copiedFrom_ = UINT64_MAX;
        copiedTo_ = 0;
    }

    static constexpr uint64_t kReleaseStep = 16 << 20;

    BufferedWriter& out_;
    bool copy_;
    const WaypointTextSource* parsed_ = nullptr;
    uint64_t copiedFrom_ = UINT64_MAX;
    uint64_t copiedTo_ = 0;
    std::optional<WaypointRecordParser> parser_;
    Waypoint texts_;
};

} // namespace

bool WriteWaypointSnapshot(const WaypointDatabase::Snapshot& records, ByteSink& sink,
                           RecordCopy copy)
{
    BufferedWriter out(sink);
    out.Put(kWaypointFileMagic, 6);
    out.PutU8(kWaypointFileVersion);
    out.PutI32(records.Count());
    RecordWriter writer(out, copy == RecordCopy::Unchanged);
    records.ForEach([&writer](const Waypoint& w) { writer.Put(w); });
    return out.Flush();
}

bool WriteWaypointDatabase(const WaypointDatabase& db, ByteSink& sink)
{
    return WriteWaypointSnapshot(db.TakeSnapshot(), sink, RecordCopy::Unchanged);
}

bool SaveWaypointSnapshot(const WaypointDatabase::Snapshot& records, const std::string& path)
{
    // A background save of older records must not land after this one.
    BackgroundFileWriter::WaitForPath(path);
    AtomicFileWriter file(path);
    return file.Open() && WriteWaypointSnapshot(records, file, RecordCopy::Unchanged) &&
           file.Commit();
}

int SaveWaypointDatabase(WaypointDatabase& db, const std::string& path)
{
    if (!SaveWaypointSnapshot(db.TakeSnapshot(), path))
        return 0;
    db.SetModified(false);
    return 1;
}

} // namespace hw
