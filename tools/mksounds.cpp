// Synthesises the WAV files of the sound groups from a recipe file.
//
//   mksounds --out SOUNDDIR RECIPES
//
// A file already in SOUNDDIR is left alone: a player may have replaced it.

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Note {
    double frequency;
    int ms;
};

double voice(const std::string& kind, double phase, double t) {
    if (kind == "bell") {
        return std::sin(phase) + 0.35 * std::exp(-6 * t) * std::sin(2 * phase) +
               0.15 * std::exp(-9 * t) * std::sin(3 * phase);
    }
    if (kind == "soft") {
        // A square wave with its corners rounded: odd harmonics up to the seventh.
        return std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5 +
               std::sin(7 * phase) / 7;
    }
    return std::sin(phase);
}

std::vector<std::int16_t> render(const std::string& kind, const std::vector<Note>& notes) {
    std::vector<std::int16_t> samples;
    for (const Note& note : notes) {
        const int count = kRate * note.ms / 1000;
        for (int i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kRate;
            double value = 0;
            if (note.frequency > 0) {
                const double attack = std::min(1.0, t / 0.006);
                const double release = std::min(1.0, (count - i) / (kRate * 0.012));
                const double decay = kind == "tick" ? std::exp(-160 * t) : std::exp(-2.5 * t);
                value = voice(kind, 2 * kPi * note.frequency * t, t) * attack * release * decay;
            }
            samples.push_back(static_cast<std::int16_t>(std::lround(value * 0.3 * 32767)));
        }
    }
    return samples;
}

void put16(std::ostream& out, std::uint16_t v) {
    out.put(static_cast<char>(v & 0xFF)).put(static_cast<char>(v >> 8));
}
void put32(std::ostream& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

bool writeWav(const fs::path& file, const std::vector<std::int16_t>& samples) {
    const auto tmp = fs::path(file).concat(".tmp");
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
        out.write("RIFF", 4);
        put32(out, 36 + dataBytes);
        out.write("WAVEfmt ", 8);
        put32(out, 16);
        put16(out, 1);  // PCM
        put16(out, 1);  // mono
        put32(out, kRate);
        put32(out, kRate * 2);
        put16(out, 2);
        put16(out, 16);
        out.write("data", 4);
        put32(out, dataBytes);
        for (const auto s : samples) {
            put16(out, static_cast<std::uint16_t>(s));
        }
        if (!out) {
            return false;
        }
    }
    std::error_code ec;
    fs::rename(tmp, file, ec);
    return !ec;
}

}  // namespace

int main(int argc, char** argv) {
    fs::path out;
    fs::path recipes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else {
            recipes = arg;
        }
    }
    std::ifstream in(recipes);
    if (out.empty() || !in) {
        std::cerr << "usage: mksounds --out SOUNDDIR RECIPES\n";
        return 2;
    }
    std::error_code ec;
    fs::create_directories(out, ec);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            std::cerr << recipes << ":" << lineNo << ": expected 'name: voice notes'\n";
            return 1;
        }
        const std::string name = line.substr(0, colon);
        std::istringstream words(line.substr(colon + 1));
        std::string kind;
        words >> kind;
        std::vector<Note> notes;
        std::string word;
        while (words >> word) {
            const auto slash = word.find('/');
            if (slash == std::string::npos) {
                std::cerr << recipes << ":" << lineNo << ": bad note " << word << "\n";
                return 1;
            }
            notes.push_back({std::stod(word.substr(0, slash)), std::stoi(word.substr(slash + 1))});
        }
        const fs::path file = out / (name + ".wav");
        if (fs::exists(file, ec)) {
            continue;
        }
        if (!writeWav(file, render(kind, notes))) {
            std::cerr << file << ": cannot write\n";
            return 1;
        }
    }
    return 0;
}
