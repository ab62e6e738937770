#include "gps/NmeaParser.h"

#include "base/NotificationSink.h"
#include "base/WindowMessages.h"
#include "gps/NmeaFields.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unistd.h>

namespace hw {

namespace {

// The value of a checksum digit, or -1 for a character that is no
// hexadecimal digit (the sentence is then dropped rather than compared
// against a meaningless value).
int HexDigit(uint8_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// How many of the n bytes at p come before the first '*' or carriage
// return (n when there is none). Eight bytes at a time: a byte equal to the
// pattern leaves a zero byte after the XOR, and the classic zero-byte test
// marks the first one exactly in its lowest set bit.
size_t DataRunLength(const uint8_t* p, size_t n)
{
    size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr uint64_t kOnes = 0x0101010101010101ull;
        constexpr uint64_t kHighs = 0x8080808080808080ull;
        for (; i + 8 <= n; i += 8) {
            uint64_t w;
            std::memcpy(&w, p + i, 8);
            uint64_t star = w ^ (kOnes * '*');
            uint64_t cr = w ^ (kOnes * '\r');
            uint64_t hits = (((star - kOnes) & ~star) | ((cr - kOnes) & ~cr)) & kHighs;
            if (hits != 0)
                return i + static_cast<size_t>(std::countr_zero(hits) / 8);
        }
    }
    while (i < n && p[i] != '*' && p[i] != '\r')
        ++i;
    return i;
}

uint8_t XorOfBytes(const uint8_t* p, size_t n)
{
    uint64_t wide = 0;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        wide ^= w;
    }
    wide ^= wide >> 32;
    wide ^= wide >> 16;
    wide ^= wide >> 8;
    auto sum = static_cast<uint8_t>(wide);
    for (; i < n; ++i)
        sum = static_cast<uint8_t>(sum ^ p[i]);
    return sum;
}

uint8_t U8(int32_t v)
{
    return static_cast<uint8_t>(v);
}

uint16_t U16(int32_t v)
{
    return static_cast<uint16_t>(v);
}

// A satellite number; a negative one ("-1" from some receivers for an empty
// slot) is no satellite.
uint16_t Prn(int32_t v)
{
    return U16(std::clamp(v, 0, 0xFFFF));
}

double RealOr(const NmeaFields& fields, size_t index, double fallback)
{
    std::string_view f = fields[index];
    return f.empty() ? fallback : NmeaReal(f);
}

int32_t IntegerOr(const NmeaFields& fields, size_t index, int32_t fallback)
{
    std::string_view f = fields[index];
    return f.empty() ? fallback : NmeaInteger(f);
}

// hhmmss into three two-digit integers; false (and nothing stored) when absent.
bool ReadTime(std::string_view text, uint8_t& hour, uint8_t& minute, uint8_t& second)
{
    if (text.empty())
        return false;
    hour = U8(NmeaTwoDigit(text));
    minute = U8(NmeaTwoDigit(NmeaTail(text, 2)));
    second = U8(NmeaTwoDigit(NmeaTail(text, 4)));
    return true;
}

// A coordinate and the hemisphere letter after it. An absent coordinate keeps
// the previous value, whatever the letter says.
void ReadCoordinate(const NmeaFields& fields, size_t index, size_t degreeDigits, char negative,
                    double& value)
{
    std::string_view text = fields[index];
    if (text.empty())
        return;
    double v = NmeaCoordinate(text, degreeDigits);
    value = fields.Letter(index + 1, '\0') == negative ? -v : v;
}

void ReadText(std::string_view text, char* out, size_t capacity)
{
    size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    if (n > 0)
        std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

int32_t MinuteSecond(uint8_t minute, uint8_t second)
{
    return minute * 60 + second;
}

// Vertical speed over the step since the previous measured altitude. The
// first altitude after a reset has no predecessor (its step would run from
// 00:00 and 0 m); a GPGGA without altitude (no fix) reads 0 and leaves the
// memory alone, so that the step after a loss of fix spans the whole gap. The hour
// is not used: at the top of each hour the time falls back and one step is
// skipped.
void StepVerticalSpeed(GpsFix& x)
{
    int32_t now = MinuteSecond(x.ggaMinute, x.ggaSecond);
    if (x.previousAltitudeValid && now > x.previousGgaTime) {
        double minutes = (now - x.previousGgaTime) / 60.0;
        if (minutes != 0)
            x.verticalSpeed = (x.altitude - x.previousAltitude) / minutes;
    }
    x.previousGgaTime = now;
    x.previousAltitude = x.altitude;
    x.previousAltitudeValid = true;
}

} // namespace

// The sentence types decoded (after the talker), in the order they are
// compared. Every other sentence is framed, checked and counted only.
const NmeaParser::SentenceDecoder NmeaParser::kDecoders[] = {
    {"GGA", &NmeaParser::DecodeGga, WM_GPS_GGA}, // time, position, quality, altitude
    {"GSA", &NmeaParser::DecodeGsa, WM_GPS_GSA}, // mode, used PRNs of one system, DOPs
    {"GSV", &NmeaParser::DecodeGsv, WM_GPS_GSV}, // one system's satellites in view, four a message
    {"RMB", &NmeaParser::DecodeRmb, WM_GPS_RMB}, // receiver's own waypoint guidance
    {"RMC", &NmeaParser::DecodeRmc, WM_GPS_RMC}, // time, position, speed, course, date
    {"ZDA", &NmeaParser::DecodeZda, WM_GPS_ZDA}, // time, date, local zone
};

NmeaParser::NmeaParser(NotificationSink* sink) : sink_(sink) {}

NmeaParser::~NmeaParser()
{
    CloseLog();
}

void NmeaParser::Feed(const uint8_t* bytes, size_t count)
{
    const uint8_t* p = bytes;
    const uint8_t* const end = bytes + count;
    while (p != end) {
        switch (state_) {
        case kHunting: {
            // The next '$' is nearly always a line end away: looked for
            // here first, then in the rest of the bytes.
            const uint8_t* dollar = p;
            const uint8_t* const near = end - p > 4 ? p + 4 : end;
            while (dollar != near && *dollar != '$')
                ++dollar;
            if (dollar == near)
                dollar =
                    static_cast<const uint8_t*>(std::memchr(p, '$', static_cast<size_t>(end - p)));
            if (dollar == nullptr) {
                p = end;
                break;
            }
            p = dollar + 1;
            checksum_ = 0;
            length_ = 0;
            state_ = kAddress;
            break;
        }
        case kAddress: {
            while (p != end) {
                uint8_t c = *p++;
                checksum_ ^= c;
                if (c == ',' || c == '*') {
                    address_[length_] = '\0';
                    addressLength_ = length_;
                    length_ = 0;
                    state_ = kData;
                    break;
                }
                address_[length_++] = static_cast<char>(c);
                if (length_ >= kAddressSize) {
                    state_ = kHunting; // address too long
                    break;
                }
            }
            break;
        }
        case kData: {
            // The bulk of every sentence: copy and checksum until '*' or CR,
            // a word at a time.
            size_t room = kDataSize - length_;
            size_t available = static_cast<size_t>(end - p);
            size_t n = available < room ? available : room;
            size_t run = DataRunLength(p, n);
            std::memcpy(data_ + length_, p, run);
            checksum_ ^= XorOfBytes(p, run);
            length_ = static_cast<uint16_t>(length_ + run);
            p += run;
            if (length_ >= kDataSize) {
                state_ = kHunting; // data too long
                break;
            }
            if (p == end)
                break;
            uint8_t c = *p++;
            data_[length_] = '\0';
            if (c == '*') {
                state_ = kChecksumHigh;
            } else {
                state_ = kHunting; // no checksum: accepted on the carriage return
                Dispatch();
            }
            break;
        }
        case kChecksumHigh:
        case kChecksumLow: {
            uint8_t c = *p;
            int digit = HexDigit(c);
            if (digit < 0) {
                // Not a checksum: drop the sentence; a '$' starts the next one.
                state_ = kHunting;
                if (c != '$')
                    ++p;
                break;
            }
            ++p;
            if (state_ == kChecksumHigh) {
                receivedChecksum_ = static_cast<uint8_t>(digit << 4);
                state_ = kChecksumLow;
            } else {
                receivedChecksum_ = static_cast<uint8_t>(receivedChecksum_ | digit);
                state_ = kHunting;
                if (receivedChecksum_ == checksum_)
                    Dispatch();
            }
            break;
        }
        default: state_ = kHunting; break;
        }
    }
    WriteLog(bytes, count);
}

const NmeaParser::SentenceDecoder* NmeaParser::DecoderFor(std::string_view address) const
{
    // A zero byte ends the address as the text of a string would.
    if (address.size() != 5 || address.find('\0') != std::string_view::npos)
        return nullptr;
    const std::string_view talker = address.substr(0, 2);
    if (gpsTalkerOnly_ ? talker != "GP" : !IsSatelliteTalker(talker))
        return nullptr;
    const std::string_view type = address.substr(2);
    for (const SentenceDecoder& d : kDecoders) {
        if (type == d.type)
            return &d;
    }
    return nullptr;
}

void NmeaParser::Dispatch()
{
    const SentenceDecoder* decoder = DecoderFor(std::string_view(address_, addressLength_));
    uint32_t own = 0;
    {
        std::lock_guard<std::mutex> lock(fixMutex_);
        // A GSA continues the list of the one just before only when no other
        // sentence came between them.
        if (decoder == nullptr || decoder->decode != &NmeaParser::DecodeGsa)
            lastUsedList_ = -1;
        if (decoder != nullptr) {
            talker_ = std::string_view(address_, 2);
            NmeaFields fields(data_, kDataSize);
            if ((this->*decoder->decode)(fields))
                own = decoder->message;
            if (own == WM_GPS_GGA && keepHistory_)
                history_.Push(fix_);
            else if (own == WM_GPS_RMC)
                accelerations_.Push(fix_.acceleration);
        }
        ++sentenceCount_;
    }
    if (sink_ != nullptr) {
        if (own != 0)
            sink_->Post(own);
        sink_->Post(WM_GPS_SENTENCE);
    }
}

bool NmeaParser::DecodeGga(const NmeaFields& f)
{
    GpsFix& x = fix_;
    if (ReadTime(f[0], x.ggaHour, x.ggaMinute, x.ggaSecond))
        x.ggaSeconds = NmeaReal(NmeaTail(f[0], 4));
    ReadCoordinate(f, 1, 2, 'S', x.ggaLatitude);
    ReadCoordinate(f, 3, 3, 'W', x.ggaLongitude);
    if (!f[5].empty())
        x.fixQuality = U8(f[5][0] - '0');
    if (!f[6].empty())
        x.satellitesUsed = U8(NmeaTwoDigit(f[6]));
    x.ggaHdop = RealOr(f, 7, x.ggaHdop);
    if (!f[8].empty()) {
        x.altitude = NmeaReal(f[8]);
        StepVerticalSpeed(x);
    } else {
        x.verticalSpeed = 0; // nothing measured: no climb to show
    }
    ++x.ggaCount;
    return true;
}

bool NmeaParser::DecodeGsa(const NmeaFields& f)
{
    GpsFix& x = fix_;
    x.gsaMode = f.Letter(0, x.gsaMode);
    if (!f[1].empty())
        x.fixType = U8(f[1][0] - '0');
    // The GPS talker's numbers are read as two digits, as they always were;
    // the other systems number their satellites up to 437 and are read whole.
    const GnssSystem talker = TalkerSystem(talker_);
    const bool twoDigit = talker == GnssSystem::Gps;
    for (size_t i = 0; i < GpsFix::kUsedPrnSlots; ++i) {
        x.usedPrns[i] = Prn(twoDigit ? NmeaTwoDigit(f[2 + i]) : NmeaInteger(f[2 + i]));
    }
    x.pdop = RealOr(f, 14, 0);
    x.gsaHdop = RealOr(f, 15, 0);
    x.vdop = RealOr(f, 16, 0);

    // Whose satellites these are: the system id field of NMEA 4.10, else the
    // talker, else (a combined GSA without the field) each number's range.
    GnssSystem system = SystemOfId(IntegerOr(f, 17, 0));
    if (system == GnssSystem::Unknown)
        system = talker;
    if (system != GnssSystem::Unknown) {
        StoreUsedList(UsedListOf(system), x.usedPrns, GpsFix::kUsedPrnSlots);
    } else {
        uint16_t split[kGnssSystemIds][GpsFix::kUsedPrnSlots] = {};
        size_t counts[kGnssSystemIds] = {};
        for (uint16_t prn : x.usedPrns) {
            if (prn == 0)
                continue;
            const auto list = static_cast<size_t>(UsedListOf(SystemOfPrn(prn)));
            split[list][counts[list]++] = prn;
        }
        for (size_t list = 0; list < kGnssSystemIds; ++list) {
            if (counts[list] > 0)
                StoreUsedList(static_cast<int>(list), split[list], counts[list]);
        }
        lastUsedList_ = -1;
    }
    ++x.gsaCount;
    return true;
}

// Replaces one system's used list, or continues it when the GSA just before
// filled all twelve slots of the same system.
void NmeaParser::StoreUsedList(int list, const uint16_t* prns, size_t count)
{
    uint16_t* used = fix_.systemUsedPrns[list];
    const bool continues = list == lastUsedList_ && lastUsedCount_ > 0 &&
                           lastUsedCount_ % GpsFix::kUsedPrnSlots == 0 &&
                           lastUsedCount_ < GpsFix::kSystemUsedSlots;
    const size_t start = continues ? lastUsedCount_ : 0;
    size_t at = start;
    for (size_t i = 0; i < count && at < GpsFix::kSystemUsedSlots; ++i) {
        if (prns[i] != 0)
            used[at++] = prns[i];
    }
    std::fill(used + at, used + GpsFix::kSystemUsedSlots, uint16_t{0});
    lastUsedList_ = list;
    // Only a full GSA may have a continuation.
    lastUsedCount_ = at - start == GpsFix::kUsedPrnSlots ? at : 0;
}

bool NmeaParser::DecodeGsv(const NmeaFields& f)
{
    GpsFix& x = fix_;
    if (f[0].empty())
        return false;
    int32_t messages = NmeaInteger(f[0]);
    if (messages < 1 || messages > 8)
        return false;
    int32_t number = IntegerOr(f, 1, messages);
    if (number < 1 || number > 9)
        return false;
    const GnssSystem talker = TalkerSystem(talker_);
    GsvGroup& group = groups_[static_cast<size_t>(talker)];

    // NMEA 4.10 ends the sentence with a signal id after the satellites; a
    // receiver that tracks two signals sends a group for each. The table
    // keeps the first signal (the lowest id) only.
    const size_t count = f.Count();
    const bool hasSignal = count > 3 && (count - 3) % 4 == 1;
    const size_t satelliteFields = count > 3 ? count - 3 - (hasSignal ? 1 : 0) : 0;
    if (hasSignal) {
        const int signal = std::clamp(NmeaInteger(f[count - 1]), 0, 255);
        if (signal != 0 && group.signal != 0 && signal > group.signal) {
            ++x.gsvCount;
            return number == messages;
        }
        if (signal != 0)
            group.signal = static_cast<uint8_t>(signal);
    }

    if (!f[2].empty())
        group.inView = static_cast<int16_t>(NmeaInteger(f[2]));
    else if (!group.seen)
        group.inView = x.satellitesInView; // kept, as a single group always was
    group.seen = true;
    for (size_t k = 0; k < 4; ++k) {
        SatelliteInfo& s = group.entries[static_cast<size_t>(number - 1) * 4 + k];
        const bool present = 4 * k < satelliteFields;
        s.prn = present ? Prn(NmeaInteger(f[3 + 4 * k])) : 0;
        s.elevation = present ? U16(NmeaInteger(f[4 + 4 * k])) : 0;
        s.azimuth = present ? U16(NmeaInteger(f[5 + 4 * k])) : 0;
        s.snr = present ? U16(NmeaInteger(f[6 + 4 * k])) : 0;
        s.system = SatelliteSystem(talker, s.prn);
        // The used flag comes from the GSA list of the same system: the
        // talker's, or for a combined group the number's range.
        const int list =
            talker != GnssSystem::Unknown ? UsedListOf(talker) : UsedListOf(SystemOfPrn(s.prn));
        s.used = 0;
        // A list is filled from its start: its first zero ends it.
        for (uint16_t prn : x.systemUsedPrns[list]) {
            if (prn == 0)
                break;
            if (prn == s.prn)
                s.used = 1;
        }
    }
    LayOutSatellites();
    ++x.gsvCount;
    return number == messages;
}

// The talkers' groups side by side in the table, in the order GPS, GLONASS,
// Galileo, BeiDou, QZSS, NavIC, combined: each takes as many entries as it
// has satellites in view, the last one its whole group, so that a receiver
// of one system fills the table exactly as its GSV numbers the entries.
void NmeaParser::LayOutSatellites()
{
    constexpr size_t kOrder[kGsvGroups] = {1, 2, 3, 4, 5, 6, 0};
    size_t last = kGsvGroups;
    for (size_t g : kOrder) {
        if (groups_[g].seen)
            last = g;
    }
    size_t at = 0;
    int inView = 0;
    for (size_t g : kOrder) {
        const GsvGroup& group = groups_[g];
        if (!group.seen)
            continue;
        inView += group.inView;
        const size_t n = g == last ? GpsFix::kGroupSlots
                                   : static_cast<size_t>(std::clamp<int>(
                                         group.inView, 0, static_cast<int>(GpsFix::kGroupSlots)));
        const size_t copied = std::min(n, GpsFix::kSatelliteSlots - at);
        std::copy_n(group.entries, copied, fix_.satellites + at);
        at += copied;
    }
    fix_.satellitesInView = static_cast<int16_t>(std::clamp(inView, -32768, 32767));
}

bool NmeaParser::DecodeRmb(const NmeaFields& f)
{
    GpsFix& x = fix_;
    x.rmbStatus = f.Letter(0, 'V');
    x.crossTrackError = RealOr(f, 1, 0);
    x.steerDirection = f.Letter(2, '?');
    ReadText(f[3], x.originId, sizeof x.originId);
    ReadText(f[4], x.destinationId, sizeof x.destinationId);
    ReadCoordinate(f, 5, 2, 'S', x.destinationLatitude);
    ReadCoordinate(f, 7, 3, 'W', x.destinationLongitude);
    x.range = RealOr(f, 9, 0);
    x.bearing = RealOr(f, 10, 0);
    x.closingVelocity = RealOr(f, 11, 0);
    x.arrivalStatus = f.Letter(12, 'V');
    ++x.rmbCount;
    return true;
}

bool NmeaParser::DecodeRmc(const NmeaFields& f)
{
    GpsFix& x = fix_;
    ReadTime(f[0], x.rmcHour, x.rmcMinute, x.rmcSecond);
    x.rmcStatus = f.Letter(1, 'V');
    ReadCoordinate(f, 2, 2, 'S', x.rmcLatitude);
    ReadCoordinate(f, 4, 3, 'W', x.rmcLongitude);
    x.speed = RealOr(f, 6, 0);
    x.course = RealOr(f, 7, 0);
    if (std::string_view date = f[8]; !date.empty()) {
        x.day = U8(NmeaTwoDigit(date));
        x.month = U8(NmeaTwoDigit(NmeaTail(date, 2)));
        x.year = U16(NmeaTwoDigit(NmeaTail(date, 4)) + 2000);
        x.dateKnown = x.day >= 1 && x.day <= 31 && x.month >= 1 && x.month <= 12;
    }
    x.magneticVariation = 0;
    if (!f[9].empty()) {
        double variation = NmeaReal(f[9]);
        x.magneticVariation = f.Letter(10, '\0') == 'W' ? -variation : variation;
    }

    // Acceleration over the step since the previous GPRMC. The first one
    // after a reset only sets the memory, so that it does not read as a jump
    // from standstill.
    int32_t now = MinuteSecond(x.rmcMinute, x.rmcSecond);
    double scaled = x.speed * 0.277777777778;
    if (x.rmcCount == 0) {
        x.previousScaledSpeed = scaled;
    } else if (now > x.previousRmcTime) {
        int32_t seconds = now - x.previousRmcTime;
        x.acceleration = (scaled - x.previousScaledSpeed) / seconds;
        x.previousScaledSpeed = scaled;
    }
    x.previousRmcTime = now;
    ++x.rmcCount;
    return true;
}

bool NmeaParser::DecodeZda(const NmeaFields& f)
{
    GpsFix& x = fix_;
    ReadTime(f[0], x.zdaHour, x.zdaMinute, x.zdaSecond);
    x.zdaDay = U8(IntegerOr(f, 1, 1));
    x.zdaMonth = U8(IntegerOr(f, 2, 1));
    x.zdaYear = U16(IntegerOr(f, 3, 1));
    x.zoneHours = static_cast<int8_t>(IntegerOr(f, 4, 0));
    x.zoneMinutes = U8(IntegerOr(f, 5, 0));
    ++x.zdaCount;
    return true;
}

void NmeaParser::Reset()
{
    std::lock_guard<std::mutex> lock(fixMutex_);
    double seconds = fix_.ggaSeconds;
    fix_ = GpsFix{};
    fix_.ggaSeconds = seconds;
    for (GsvGroup& group : groups_)
        group = GsvGroup{};
    lastUsedList_ = -1;
    lastUsedCount_ = 0;
    // The loss of the fix is an update of its own for the readers of the history.
    history_.Push(fix_);
}

uint64_t NmeaParser::FixesSince(uint64_t after, std::vector<GpsFix>& out)
{
    std::lock_guard<std::mutex> lock(fixMutex_);
    return history_.Since(after, out);
}

uint64_t NmeaParser::AccelerationsSince(uint64_t after, std::vector<double>& out)
{
    std::lock_guard<std::mutex> lock(fixMutex_);
    return accelerations_.Since(after, out);
}

size_t NmeaParser::UntakenFixes() const
{
    std::lock_guard<std::mutex> lock(fixMutex_);
    return history_.Untaken();
}

GpsFix NmeaParser::Snapshot() const
{
    std::lock_guard<std::mutex> lock(fixMutex_);
    return fix_;
}

uint32_t NmeaParser::SentenceCount() const
{
    std::lock_guard<std::mutex> lock(fixMutex_);
    return sentenceCount_;
}

bool NmeaParser::Field(const char* data, size_t index, char* out, size_t capacity)
{
    return ExtractNmeaField(data, index, out, capacity);
}

bool NmeaParser::OpenLog(const std::string& path)
{
    std::lock_guard<std::mutex> lock(logMutex_);
    if (log_ != nullptr)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    log_ = file;
    loggedBytes_ = 0;
    logFailed_ = false;
    return true;
}

bool NmeaParser::CloseLog()
{
    std::lock_guard<std::mutex> lock(logMutex_);
    if (log_ == nullptr)
        return false;
    bool ok = std::fflush(log_) == 0;
    ok = ::fsync(fileno(log_)) == 0 && ok;
    ok = std::fclose(log_) == 0 && ok;
    log_ = nullptr;
    if (!ok)
        logFailed_ = true;
    return true;
}

bool NmeaParser::IsLogging() const
{
    std::lock_guard<std::mutex> lock(logMutex_);
    return log_ != nullptr;
}

uint32_t NmeaParser::LoggedBytes() const
{
    std::lock_guard<std::mutex> lock(logMutex_);
    return loggedBytes_;
}

void NmeaParser::WriteLog(const uint8_t* bytes, size_t count)
{
    std::lock_guard<std::mutex> lock(logMutex_);
    if (log_ == nullptr || count == 0)
        return;
    // Handed to the system at once, so that a crash loses nothing received.
    bool ok = std::fwrite(bytes, 1, count, log_) == count;
    ok = std::fflush(log_) == 0 && ok;
    if (!ok)
        logFailed_ = true;
    loggedBytes_ += static_cast<uint32_t>(count);
}

bool NmeaParser::LogWriteFailed() const
{
    std::lock_guard<std::mutex> lock(logMutex_);
    return logFailed_;
}

} // namespace hw
