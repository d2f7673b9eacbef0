// Prints the length, rate and channels of a sound file as libsndfile (the
// game's decoder) sees it. With --check, fails unless it is the race music:
// at least 60 s of 44.1 kHz stereo.

#include <sndfile.h>

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: music_info FILE [--check]\n");
        return 2;
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(argv[1], SFM_READ, &info);
    if (!file) {
        std::fprintf(stderr, "music_info: %s: %s\n", argv[1], sf_strerror(nullptr));
        return 1;
    }
    // Count the frames by decoding them all: an MP3's header count is an estimate.
    std::vector<short> block(4096 * static_cast<size_t>(info.channels));
    long long frames = 0;
    sf_count_t got;
    while ((got = sf_readf_short(file, block.data(), 4096)) > 0) {
        frames += got;
    }
    sf_close(file);
    double seconds = static_cast<double>(frames) / info.samplerate;
    std::printf("%s: %lld frames, %.3f s, %d Hz, %d channels\n", argv[1], frames, seconds,
                info.samplerate, info.channels);
    if (argc > 2 && std::strcmp(argv[2], "--check") == 0) {
        bool good = seconds >= 60.0 && info.samplerate == 44100 && info.channels == 2;
        if (!good) {
            std::fprintf(stderr, "music_info: expected at least 60 s of 44100 Hz stereo\n");
        }
        return good ? 0 : 1;
    }
    return 0;
}
