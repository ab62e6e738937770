// Synthesises the program's alarm sounds as 16-bit mono PCM WAV files:
// tones with soft edges (no clicks), the same bytes on every run.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

struct Tone {
    double startSeconds;
    double seconds;
    double hertz;
    double volume; // 0 to 1
};

// Adds a tone with a short rise, a long fall and its third harmonic for a
// bell-like sound that carries outdoors.
void AddTone(std::vector<double>& samples, const Tone& tone)
{
    const auto first = static_cast<size_t>(tone.startSeconds * kRate);
    const auto count = static_cast<size_t>(tone.seconds * kRate);
    if (samples.size() < first + count)
        samples.resize(first + count, 0.0);
    const double rise = 0.005 * kRate;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double edge = std::min(1.0, static_cast<double>(i) / rise);
        const double fall = std::exp(-4.0 * static_cast<double>(i) / static_cast<double>(count));
        const double end = std::min(1.0, static_cast<double>(count - i) / rise);
        const double w = 2 * std::numbers::pi * tone.hertz * t;
        samples[first + i] +=
            tone.volume * edge * fall * end * (0.8 * std::sin(w) + 0.2 * std::sin(3 * w));
    }
}

void PutU32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutU16(std::string& out, uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

std::string WaveBytes(const std::vector<double>& samples)
{
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    PutU32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    PutU32(out, 16);
    PutU16(out, 1); // PCM
    PutU16(out, 1); // mono
    PutU32(out, kRate);
    PutU32(out, kRate * 2);
    PutU16(out, 2);
    PutU16(out, 16);
    out += "data";
    PutU32(out, dataBytes);
    for (double s : samples) {
        const double clipped = std::max(-1.0, std::min(1.0, s));
        PutU16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clipped * 32000))));
    }
    return out;
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// "Alarm1.wav", the default alarm of every waypoint: three rising two-note
// chimes, about 1.6 s.
std::vector<double> Alarm1()
{
    std::vector<double> samples;
    for (int i = 0; i < 3; ++i) {
        const double at = i * 0.5;
        AddTone(samples, {at, 0.22, 880.0, 0.45});
        AddTone(samples, {at + 0.12, 0.35, 1318.5, 0.4});
    }
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: hikewise-sounds OUTDIR\n");
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/Alarm1.wav";
    if (!WriteFile(path, WaveBytes(Alarm1()))) {
        std::fprintf(stderr, "hikewise-sounds: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}
