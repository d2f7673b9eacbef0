#include "sound_fixture.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/alc.h>
#include <AL/alext.h>
#include <fcntl.h>
#include <sndfile.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "audio/sound_backend.h"

namespace {
ALCdevice* gLoopbackDevice = nullptr;

SoundOutput openLoopbackOutput() {
    SoundOutput output;
    output.device = alcLoopbackOpenDeviceSOFT(nullptr);
    gLoopbackDevice = output.device;
    output.contextAttributes = {ALC_FORMAT_CHANNELS_SOFT,
                                ALC_STEREO_SOFT,
                                ALC_FORMAT_TYPE_SOFT,
                                ALC_FLOAT_SOFT,
                                ALC_FREQUENCY,
                                MIX_RATE,
                                0};
    return output;
}

void writeSamples(const std::string& path, int format, int rate,
                  const std::vector<double>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
    }
    sf_writef_double(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}
}  // namespace

TempSoundFolder::TempSoundFolder() {
    char pattern[] = "/tmp/zentrix_sound_XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    root_ = pattern;
    std::filesystem::create_directory(root_ + "/data");
    previousDirectory_ = std::filesystem::current_path().string();
    std::filesystem::current_path(root_);
}

TempSoundFolder::~TempSoundFolder() {
    std::filesystem::current_path(previousDirectory_);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void TempSoundFolder::writeTone(const std::string& name, double hz, int rate, double seconds,
                                double level, const std::function<double(double)>& envelope) {
    std::vector<double> samples(static_cast<size_t>(std::lround(seconds * rate)));
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        samples[i] = level * std::sin(2.0 * M_PI * hz * t) * (envelope ? envelope(t) : 1.0);
    }
    writeSamples(root_ + "/data/" + name, SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, samples);
}

void TempSoundFolder::writeMp3Tone(const std::string& name, double hz, double seconds) {
    const int rate = 44100;
    std::vector<double> samples(static_cast<size_t>(std::lround(seconds * rate)));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.5 * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate);
    }
    writeSamples(root_ + "/data/" + name, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, rate, samples);
}

void TempSoundFolder::writeFrames(const std::string& name, int format, int rate, int channels,
                                  const std::vector<int16_t>& interleaved) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path(name).c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        throw std::runtime_error("cannot write " + name + ": " + sf_strerror(nullptr));
    }
    sf_writef_short(file, interleaved.data(),
                    static_cast<sf_count_t>(interleaved.size() / static_cast<size_t>(channels)));
    sf_close(file);
}

void TempSoundFolder::writeSparse(const std::string& name, const std::vector<uint8_t>& header,
                                  uint64_t size) {
    const int fd = ::open(path(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written =
        fd >= 0 &&
        ::write(fd, header.data(), header.size()) == static_cast<ssize_t>(header.size()) &&
        ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    if (!written) {
        throw std::runtime_error("cannot write " + name);
    }
}

std::vector<uint8_t> TempSoundFolder::readBytes(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int startSoundOnLoopback() {
    return startSoundOn(openLoopbackOutput);
}

std::vector<float> renderMix(int frames) {
    std::vector<float> mix(static_cast<size_t>(frames) * 2);
    alcRenderSamplesSOFT(gLoopbackDevice, mix.data(), frames);
    return mix;
}

double dominantFrequency(const std::vector<float>& mix) {
    int crossings = 0;
    float previous = mix[0] + mix[1];
    for (size_t i = 2; i + 1 < mix.size(); i += 2) {
        const float now = mix[i] + mix[i + 1];
        if (previous < 0.0f && now >= 0.0f) {
            ++crossings;
        }
        previous = now;
    }
    return crossings / (static_cast<double>(mix.size() / 2) / MIX_RATE);
}

double rootMeanSquare(const std::vector<float>& mix) {
    double sum = 0.0;
    for (size_t i = 0; i + 1 < mix.size(); i += 2) {
        sum += static_cast<double>(mix[i]) * mix[i] + static_cast<double>(mix[i + 1]) * mix[i + 1];
    }
    return std::sqrt(sum / static_cast<double>(mix.size() / 2));
}
