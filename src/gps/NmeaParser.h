#pragma once

#include "gps/FixHistory.h"
#include "gps/GpsFix.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

class NmeaFields;
class NotificationSink;

// Turns a receiver's NMEA 0183 byte stream into the fields of the one GpsFix.
// Feed() frames sentences byte by byte, verifies checksums, decodes GGA, GSA,
// GSV, RMB, RMC and ZDA of every satellite talker (GP, GN, GL, GA, GB, BD,
// GQ, QZ, GI; only GP when told so), counts every sentence, and posts
// WM_GPS_<type> and then WM_GPS_SENTENCE after each one. The GSV groups of
// different talkers fill the satellite table side by side. While a log is
// open every fed byte is also appended to it.
//
// One thread feeds at a time. Each sentence is applied under a lock, so that
// Snapshot() on any other thread never sees one half applied. Notifications
// are posted on the feeding thread after the lock is released.
class NmeaParser {
public:
    explicit NmeaParser(NotificationSink* sink = nullptr);
    ~NmeaParser();
    NmeaParser(const NmeaParser&) = delete;
    NmeaParser& operator=(const NmeaParser&) = delete;

    // Where notifications go; nullptr posts nothing. Set it before feeding.
    void SetSink(NotificationSink* sink) { sink_ = sink; }

    // Setting "Only GPS Talker" (section "设置", default 0): decode only the
    // GP talker's sentences, as receivers of GPS alone speak.
    static constexpr const char* kOnlyGpsTalker = "Only GPS Talker";
    void SetGpsTalkerOnly(bool only) { gpsTalkerOnly_ = only; }
    bool GpsTalkerOnly() const { return gpsTalkerOnly_; }

    // Whether the fix after each GGA is kept for FixesSince (default yes). A
    // feeder that reads the fix after every sentence itself keeps none and
    // saves a copy of the fix per position. Set it before feeding.
    void KeepFixHistory(bool keep) { keepHistory_ = keep; }

    void Feed(const uint8_t* bytes, size_t count);
    void Feed(const char* bytes, size_t count)
    {
        Feed(reinterpret_cast<const uint8_t*>(bytes), count);
    }

    // Returns every GpsFix field to its reset value. Framing, the sentence
    // count and the log are left alone.
    void Reset();

    // A consistent copy of the fix: never one sentence half applied.
    GpsFix Snapshot() const;
    // Calls read(const GpsFix&) under the parser's lock, without a copy: for
    // callers that look at the fix after every sentence. read must not call
    // back into the parser.
    template <typename Read> void ReadFix(Read&& read) const
    {
        std::lock_guard<std::mutex> lock(fixMutex_);
        read(static_cast<const GpsFix&>(fix_));
    }
    // The fix after each GGA numbered above `after` (and after each Reset),
    // oldest first, as FixHistory holds them; returns the newest number, to
    // pass as `after` next time. The fixes handed out count as taken.
    uint64_t FixesSince(uint64_t after, std::vector<GpsFix>& out);
    // The acceleration after each GPRMC numbered above `after`, oldest first,
    // in the same way.
    uint64_t AccelerationsSince(uint64_t after, std::vector<double>& out);
    // The fixes decoded that no reader has taken yet.
    size_t UntakenFixes() const;
    // All sentences dispatched since construction (wraps).
    uint32_t SentenceCount() const;

    // The address (e.g. "GPGGA") of the sentence being dispatched. Valid on
    // the feeding thread only, from inside the sink's Post().
    std::string_view CurrentAddress() const { return std::string_view(address_); }

    // The field extractor (see ExtractNmeaField); decoders read fields the
    // same way.
    static bool Field(const char* data, size_t index, char* out, size_t capacity);

    // The NMEA log: the fed bytes exactly as received. OpenLog fails, and
    // changes nothing, while a log is open; it empties an existing file.
    bool OpenLog(const std::string& path);
    bool CloseLog(); // whether a log was open
    bool IsLogging() const;
    uint32_t LoggedBytes() const; // bytes written to the current or last log (wraps)
    // Whether writing the current or last log failed (a full disk, a removed
    // medium): logging goes on silently, but the owner can tell the user.
    bool LogWriteFailed() const;

private:
    struct SentenceDecoder {
        std::string_view type; // the address after its two-letter talker
        bool (NmeaParser::*decode)(const NmeaFields& fields); // false: post no own message
        uint32_t message;
    };
    static const SentenceDecoder kDecoders[];

    enum State : int32_t {
        kHunting = 0,
        kAddress = 1,
        kData = 2,
        kChecksumHigh = 3,
        kChecksumLow = 4
    };
    static constexpr size_t kAddressSize = 8;
    static constexpr size_t kDataSize = 256;

    // One talker's latest GSV group, kept until the table is laid out again.
    struct GsvGroup {
        SatelliteInfo entries[GpsFix::kGroupSlots] = {};
        int16_t inView = 0;
        bool seen = false;
        uint8_t signal = 0; // lowest NMEA 4.10 signal id seen, 0 none
    };
    // Groups by NMEA system id of the talker; 0 holds the combined talker GN.
    static constexpr size_t kGsvGroups = kGnssSystemIds;

    void Dispatch();
    const SentenceDecoder* DecoderFor(std::string_view address) const;
    void LayOutSatellites();
    void StoreUsedList(int list, const uint16_t* prns, size_t count);
    void WriteLog(const uint8_t* bytes, size_t count);

    bool DecodeGga(const NmeaFields& fields);
    bool DecodeGsa(const NmeaFields& fields);
    bool DecodeGsv(const NmeaFields& fields);
    bool DecodeRmb(const NmeaFields& fields);
    bool DecodeRmc(const NmeaFields& fields);
    bool DecodeZda(const NmeaFields& fields);

    NotificationSink* sink_;
    std::atomic<bool> gpsTalkerOnly_{false};
    bool keepHistory_ = true;

    // Framing: touched only by the feeding thread.
    int32_t state_ = kHunting;
    uint8_t checksum_ = 0;
    uint8_t receivedChecksum_ = 0;
    uint16_t length_ = 0;
    uint16_t addressLength_ = 0;
    char address_[kAddressSize] = {};
    char data_[kDataSize] = {};

    mutable std::mutex fixMutex_; // guards fix_, the histories and sentenceCount_
    GpsFix fix_;
    FixHistory history_;
    NumberedHistory<double> accelerations_; // one per GPRMC
    uint32_t sentenceCount_ = 0;
    GsvGroup groups_[kGsvGroups];
    std::string_view talker_; // of the sentence being decoded
    int lastUsedList_ = -1;   // system id of the latest GSA's list
    size_t lastUsedCount_ = 0;

    mutable std::mutex logMutex_; // guards log_ and loggedBytes_
    std::FILE* log_ = nullptr;
    uint32_t loggedBytes_ = 0;
    bool logFailed_ = false;
};

} // namespace hw
