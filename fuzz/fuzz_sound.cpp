#include <cstddef>
#include <cstdint>

#include "audio/sound_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Odd lengths decode as an effect, even ones as the music: both paths get fuzzed.
    const SoundChannels wanted = size % 2 == 1 ? SoundChannels::Mono : SoundChannels::AsRecorded;
    DecodedSound sound;
    if (decodeSound(MemorySoundBytes(data, size), wanted, sound) != 0) {
        // A failure leaves nothing behind for the buffer upload to read.
        if (!sound.samples.empty() || sound.channels != 0) {
            __builtin_trap();
        }
        return 0;
    }
    // What decodes is exactly what one OpenAL buffer takes: whole frames of
    // one or two channels, a real rate, and never more than the budget.
    const bool channelsFit =
        sound.channels == 1 || (sound.channels == 2 && wanted == SoundChannels::AsRecorded);
    if (!channelsFit || sound.sampleRate < 1 || sound.samples.empty() ||
        sound.samples.size() % static_cast<std::size_t>(sound.channels) != 0 ||
        sound.samples.size() / static_cast<std::size_t>(sound.channels) >
            static_cast<std::size_t>(SOUND_FRAME_BUDGET)) {
        __builtin_trap();
    }
    return 0;
}
