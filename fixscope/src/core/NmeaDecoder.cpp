#include "core/NmeaDecoder.h"

#include <climits>

namespace fixscope {

namespace {

bool EndsLine(char c)
{
    return c == '\r' || c == '\n';
}

// The two-digit number at `offset` of a field such as hhmmss or ddmmyy; 0
// when the field is too short.
int TwoDigits(std::string_view field, std::size_t offset)
{
    if (field.size() < offset + 2)
        return 0;
    return WholeNumber(ReadDecimal(field.substr(offset, 2)));
}

char Letter(std::string_view field)
{
    return field.empty() ? ' ' : field.front();
}

// ddmm.mmmm -> degrees, minutes and seconds.
void SplitPosition(double value, double& degrees, double& minutes, double& seconds)
{
    long whole = static_cast<long>(value >= 1e15 ? 1e15 : value);
    degrees = static_cast<double>(whole / 100);
    minutes = static_cast<double>(whole % 100);
    seconds = (value - static_cast<double>(whole)) * 60.0;
}

void DecodeRmc(const SentenceFields& f, GpsRecord& r)
{
    std::string_view time = f.At(1);
    r.hour = TwoDigits(time, 0);
    r.minute = TwoDigits(time, 2);
    r.second = TwoDigits(time, 4);
    std::string_view date = f.At(9);
    r.day = TwoDigits(date, 0);
    r.month = TwoDigits(date, 2);
    r.year = TwoDigits(date, 4);
    if (r.year < 2000)
        r.year += 2000;

    r.latHemisphere = Letter(f.At(4));
    r.lonHemisphere = Letter(f.At(6));
    r.longitude = ReadDecimal(f.At(5));
    if (r.longitude != 0)
        SplitPosition(r.longitude, r.lonDegrees, r.lonMinutes, r.lonSeconds);
    r.latitude = ReadDecimal(f.At(3));
    if (r.latitude != 0)
        SplitPosition(r.latitude, r.latDegrees, r.latMinutes, r.latSeconds);

    r.status = Letter(f.At(2));
    r.speedKnots = ReadDecimal(f.At(7));
    r.course = WholeNumber(ReadDecimal(f.At(8)));
}

// Returns true when this message completed its group.
bool DecodeGsv(const SentenceFields& f, GpsRecord& r)
{
    int messages = WholeNumber(ReadDecimal(f.At(1)));
    int number = WholeNumber(ReadDecimal(f.At(2)));
    r.satellitesInView = WholeNumber(ReadDecimal(f.At(3)));
    if (number == 1) {
        r.satellites = {};
        r.satelliteGroupComplete = false;
    }
    // Four satellites a message; the table has room for the first three.
    if (number >= 1 && number <= kSatelliteSlots / 4) {
        for (int group = 0; group < 4; ++group) {
            SatelliteEntry& s = r.satellites[static_cast<std::size_t>((number - 1) * 4 + group)];
            int first = 4 + group * 4;
            s.prn = WholeNumber(ReadDecimal(f.At(first)));
            s.elevation = WholeNumber(ReadDecimal(f.At(first + 1)));
            s.azimuth = WholeNumber(ReadDecimal(f.At(first + 2)));
            s.snr = WholeNumber(ReadDecimal(f.At(first + 3)));
        }
    }
    if (number == messages) {
        r.satelliteGroupComplete = true;
        return true;
    }
    return false;
}

void DecodeGga(const SentenceFields& f, GpsRecord& r)
{
    r.hdop = ReadDecimal(f.At(8));
    r.altitude = ReadDecimal(f.At(9));
}

void DecodeGsa(const SentenceFields& f, GpsRecord& r)
{
    r.fixType = Letter(f.At(2));
    for (int i = 0; i < kUsedPrnSlots; ++i) {
        int prn = WholeNumber(ReadDecimal(f.At(3 + i)));
        r.usedPrns[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(prn > 255 ? 255 : prn);
    }
    r.pdop = ReadDecimal(f.At(15));
}

// The talkers of GPS and of the other satellite systems, alone or combined:
// a receiver of several systems says GNRMC where one of GPS says GPRMC.
bool IsReceiverTalker(std::string_view talker)
{
    static constexpr std::string_view kTalkers[] = {"GP", "GN", "GL", "GA", "GB",
                                                    "BD", "GQ", "QZ", "GI"};
    for (std::string_view t : kTalkers) {
        if (talker == t)
            return true;
    }
    return false;
}

} // namespace

int WholeNumber(double value)
{
    if (!(value > 0))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(value);
}

std::string_view SentenceFields::At(int index) const
{
    if (index < 0 || index >= count)
        return {};
    return field[static_cast<std::size_t>(index)];
}

SentenceFields Tokenise(std::string_view line)
{
    SentenceFields fields;
    std::size_t start = (!line.empty() && line.front() == '$') ? 1 : 0;
    for (std::size_t i = start; i <= line.size(); ++i) {
        bool atEnd = i == line.size();
        char c = atEnd ? '\0' : line[i];
        if (!atEnd && c != ',' && c != '*' && !EndsLine(c))
            continue;
        if (fields.count < kMaxFields)
            fields.field[static_cast<std::size_t>(fields.count++)] = line.substr(start, i - start);
        start = i + 1;
        if (atEnd || EndsLine(c))
            break;
    }
    return fields;
}

unsigned SentenceChecksum(std::string_view line)
{
    unsigned sum = 0;
    std::size_t start = (!line.empty() && line.front() == '$') ? 1 : 0;
    for (std::size_t i = start; i < line.size(); ++i) {
        char c = line[i];
        if (c == '*' || EndsLine(c))
            break;
        sum ^= static_cast<unsigned char>(c);
    }
    return sum;
}

double ReadDecimal(std::string_view text)
{
    double value = 0;
    double scale = 1;
    bool afterPoint = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            int digit = c - '0';
            if (afterPoint) {
                scale *= 0.1;
                value += digit * scale;
            } else {
                value = value * 10 + digit;
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            return 0;
        }
    }
    return value;
}

unsigned ReadHex(std::string_view text)
{
    unsigned value = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else
            break;
        value = value * 16 + digit;
    }
    return value;
}

DecodeResult DecodeSentence(std::string_view line, GpsRecord& record)
{
    if (line.empty() || line.front() != '$')
        return DecodeResult::Dropped;
    SentenceFields fields = Tokenise(line);
    if (ReadHex(fields.At(fields.count - 1)) != SentenceChecksum(line))
        return DecodeResult::Dropped;

    std::string_view address = fields.At(0);
    if (address.size() != 5 || !IsReceiverTalker(address.substr(0, 2)))
        return DecodeResult::Dropped;
    std::string_view name = address.substr(2);
    if (name == "RMC") {
        DecodeRmc(fields, record);
        return DecodeResult::Update;
    }
    if (name == "GSV")
        return DecodeGsv(fields, record) ? DecodeResult::Update : DecodeResult::Stored;
    if (name == "GGA") {
        DecodeGga(fields, record);
        return DecodeResult::Update;
    }
    if (name == "GSA") {
        DecodeGsa(fields, record);
        return DecodeResult::Update;
    }
    return DecodeResult::Dropped;
}

} // namespace fixscope
