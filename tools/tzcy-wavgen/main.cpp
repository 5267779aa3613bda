// Writes the station's two sounds, tm_success.wav and tm_fail.wav, into the folder given on
// the command line: the build makes them, so no sound file is shipped or downloaded.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Tone {
    double hz;
    double seconds;
    double decay;     // per second; 0 keeps the level
    double overtone;  // share of the third harmonic: a harder, buzzier sound
};

void Append(std::vector<double>& out, const Tone& t) {
    const int n = static_cast<int>(t.seconds * kRate);
    const int fade = kRate / 200;  // 5 ms in and out, so the sound starts and ends clean
    for (int i = 0; i < n; ++i) {
        const double x = static_cast<double>(i) / kRate;
        double level = std::exp(-t.decay * x);
        if (i < fade) {
            level *= static_cast<double>(i) / fade;
        }
        if (n - i < fade) {
            level *= static_cast<double>(n - i) / fade;
        }
        const double wave =
            std::sin(2 * kPi * t.hz * x) + t.overtone * std::sin(2 * kPi * 3 * t.hz * x);
        out.push_back(t.hz > 0 ? level * wave / (1 + t.overtone) : 0.0);
    }
}

void Put16(std::ofstream& f, std::uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
    f.write(b, 2);
}

void Put32(std::ofstream& f, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        const char b = static_cast<char>((v >> (8 * i)) & 0xff);
        f.write(&b, 1);
    }
}

bool WriteWav(const std::string& path, const std::vector<double>& samples) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) {
        return false;
    }
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    f.write("RIFF", 4);
    Put32(f, 36 + dataBytes);
    f.write("WAVEfmt ", 8);
    Put32(f, 16);
    Put16(f, 1);  // PCM
    Put16(f, 1);  // mono
    Put32(f, kRate);
    Put32(f, kRate * 2);
    Put16(f, 2);
    Put16(f, 16);
    f.write("data", 4);
    Put32(f, dataBytes);
    for (const double s : samples) {
        const double clipped = s > 1 ? 1 : (s < -1 ? -1 : s);
        Put16(f, static_cast<std::uint16_t>(static_cast<std::int16_t>(clipped * 0.7 * 32767)));
    }
    return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tzcy-wavgen FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    // Served: a bright rising two-note chime.
    std::vector<double> success;
    Append(success, {988, 0.09, 6, 0.0});
    Append(success, {1319, 0.22, 9, 0.0});
    // Not served: two low, hard buzzes that no one takes for the chime.
    std::vector<double> failure;
    Append(failure, {233, 0.16, 2, 0.6});
    Append(failure, {0, 0.06, 0, 0.0});
    Append(failure, {196, 0.26, 2, 0.6});
    if (!WriteWav(folder + "/tm_success.wav", success) ||
        !WriteWav(folder + "/tm_fail.wav", failure)) {
        std::fprintf(stderr, "tzcy-wavgen: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
