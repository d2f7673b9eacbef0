#include "music.h"

#include <sstream>
#include <string>

#include "synth.h"

namespace assetgen {
namespace {

const double RATE = MUSIC_SAMPLE_RATE;
const int BEATS_PER_MINUTE = 125;
const int STEP = MUSIC_SAMPLE_RATE * 60 / BEATS_PER_MINUTE / 4;  // a sixteenth: 5292 samples
const int STEPS_PER_BAR = 16;
const int BARS = 32;
const int FRAMES = STEP * STEPS_PER_BAR * BARS;

// ---------------------------------------------------------------- notation

// "A4", "C#5", "Bb3" to a MIDI note number.
int noteNumber(const std::string& name) {
    static const int semitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int note = semitone[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') {
        ++note;
        ++i;
    } else if (name[i] == 'b') {
        --note;
        ++i;
    }
    return note + 12 * (std::stoi(name.substr(i)) + 1);
}

double frequencyOf(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

struct Note {
    int startStep;  // sixteenths from the song's start
    int lengthSteps;
    int pitch;
};

// One bar of melody in eighth notes: a note name, "-" to hold the note before,
// "." for a rest.
void addMelodyBar(std::vector<Note>& notes, int bar, const std::string& eighths, int transpose) {
    std::istringstream words(eighths);
    std::string word;
    int step = bar * STEPS_PER_BAR;
    while (words >> word) {
        if (word == "-" && !notes.empty()) {
            notes.back().lengthSteps += 2;
        } else if (word != "." && word != "-") {
            notes.push_back({step, 2, noteNumber(word) + transpose});
        }
        step += 2;
    }
}

// The four-bar round of chords under everything: A minor, F, C, G.
const char* const CHORD_ROOTS[4] = {"A2", "F2", "C3", "G2"};
const int CHORD_THIRDS[4] = {3, 4, 4, 4};

const char* const THEME[8] = {
    "A4 - C5 - E5 - D5 C5", "C5 - A4 - F4 - A4 C5", "E5 - G5 - E5 D5 C5 -", "D5 - B4 - G4 - . .",
    "A4 - C5 - E5 - A5 -",  "G5 F5 E5 - C5 - A4 -", "G4 - C5 - E5 - G5 E5", "D5 - - - B4 - D5 -",
};
const char* const BRIDGE[8] = {
    "E5 - - A5 - - G5 E5", "F5 - - E5 - - C5 -",  "E5 - - G5 - - C6 -",   "B5 - - G5 - D5 - -",
    "A5 - G5 - E5 - C5 -", "A4 - C5 - F5 - E5 -", "G5 - E5 - C5 - E5 G5", "B5 - - - - - . .",
};

// ---------------------------------------------------------------- mixing

struct Stereo {
    std::vector<double> left, right;
    Stereo() : left(FRAMES), right(FRAMES) {}

    // Adds at a position that wraps round the end of the song.
    void add(long frame, double value, double pan) {
        size_t i = static_cast<size_t>(((frame % FRAMES) + FRAMES) % FRAMES);
        left[i] += value * (1 - pan) * 0.5 * 1.4142;
        right[i] += value * (1 + pan) * 0.5 * 1.4142;
    }
};

double envelope(double t, double length, double attack, double release) {
    double rise = std::min(1.0, t / attack);
    double fall = t < length ? 1.0 : std::max(0.0, 1.0 - (t - length) / release);
    return rise * fall;
}

// A sawtooth built from its harmonics below 10 kHz, so high notes stay clean.
double bandLimitedSaw(double phase, double frequency, int maxHarmonics) {
    double sum = 0;
    for (int k = 1; k <= maxHarmonics && k * frequency < 10000; ++k) {
        sum += std::sin(k * phase) / k;
    }
    return sum * 0.6;
}

// ---------------------------------------------------------------- instruments

void kick(Stereo& mix, long at, double velocity) {
    double phase = 0;
    for (int i = 0; i < static_cast<int>(0.35 * RATE); ++i) {
        double t = i / RATE;
        phase += TWO_PI * (45 + 120 * decay(t, 0.03)) / RATE;
        double click = i < 60 ? (1 - i / 60.0) * 0.4 : 0;
        mix.add(at + i, (std::sin(phase) * decay(t, 0.16) + click) * velocity, 0);
    }
}

void snare(Stereo& mix, long at, double velocity, Random& random) {
    HighPass bright(1200, RATE);
    for (int i = 0; i < static_cast<int>(0.22 * RATE); ++i) {
        double t = i / RATE;
        double tone = std::sin(TWO_PI * 185 * t) * decay(t, 0.05);
        double rattle = bright(random.signedUniform()) * decay(t, 0.07);
        mix.add(at + i, (tone * 0.5 + rattle * 0.9) * velocity, 0.05);
    }
}

void hat(Stereo& mix, long at, double velocity, bool open, Random& random) {
    HighPass thin(7000, RATE);
    double length = open ? 0.25 : 0.06;
    for (int i = 0; i < static_cast<int>(length * RATE); ++i) {
        double t = i / RATE;
        mix.add(at + i, thin(random.signedUniform()) * decay(t, open ? 0.08 : 0.018) * velocity,
                0.3);
    }
}

void bass(Stereo& mix, long at, double seconds, int pitch, double velocity) {
    double frequency = frequencyOf(pitch);
    LowPass tone(400, RATE);
    double phase = 0;
    for (int i = 0; i < static_cast<int>((seconds + 0.03) * RATE); ++i) {
        double t = i / RATE;
        phase += TWO_PI * frequency / RATE;
        // The filter opens on each pluck and closes as it fades.
        tone.setCutoff(250 + 1400 * decay(t, 0.06), RATE);
        double saw = bandLimitedSaw(phase, frequency, 24);
        double body = tone(saw) + std::sin(phase) * 0.5;
        mix.add(at + i, body * envelope(t, seconds, 0.004, 0.03) * velocity, 0);
    }
}

void lead(std::vector<double>& bus, long at, double seconds, int pitch, double velocity) {
    double frequency = frequencyOf(pitch);
    LowPass soften(3500, RATE);
    double phase = 0;
    for (int i = 0; i < static_cast<int>((seconds + 0.08) * RATE); ++i) {
        double t = i / RATE;
        // Vibrato creeps in on longer notes.
        double vibrato = 1 + 0.006 * std::min(1.0, t / 0.3) * std::sin(TWO_PI * 5.5 * t);
        phase += TWO_PI * frequency * vibrato / RATE;
        double square = bandLimitedSaw(phase, frequency, 20) -
                        bandLimitedSaw(phase + TWO_PI * 0.3, frequency, 20);
        double level = envelope(t, seconds, 0.01, 0.08) * (0.75 + 0.25 * decay(t, 0.15));
        size_t index = static_cast<size_t>((at + i) % FRAMES);
        bus[index] += soften(square) * level * velocity;
    }
}

void pad(Stereo& mix, long at, double seconds, int root, int third) {
    const int chord[] = {root + 12, root + 12 + third, root + 19};
    for (int voice = 0; voice < 3; ++voice) {
        for (double detune : {-0.004, 0.004}) {
            double frequency = frequencyOf(chord[voice]) * (1 + detune);
            double phase = voice * 1.7;
            for (int i = 0; i < static_cast<int>((seconds + 0.4) * RATE); ++i) {
                double t = i / RATE;
                phase += TWO_PI * frequency / RATE;
                double level = envelope(t, seconds, 0.35, 0.4) * 0.05;
                mix.add(at + i, bandLimitedSaw(phase, frequency, 6) * level, detune * 150);
            }
        }
    }
}

// Repeats of the lead three sixteenths later, bouncing left and right; worked
// out round the circle twice so the echoes of the last bar land in the first.
void echo(Stereo& mix, const std::vector<double>& dry, double pan) {
    const int delay = STEP * 3;
    std::vector<double> wet(dry);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < FRAMES; ++i) {
            wet[i] = dry[i] + 0.38 * wet[(i - delay + FRAMES) % FRAMES];
        }
    }
    for (int i = 0; i < FRAMES; ++i) {
        double repeats = wet[i] - dry[i];
        double side = (i / delay) % 2 == 0 ? 0.7 : -0.7;
        mix.add(i, dry[i], pan);
        mix.add(i, repeats * 0.6, side);
    }
}

// ---------------------------------------------------------------- the song

bool hit(const char* pattern, int step) {
    return pattern[step] == 'x';
}

void writeDrums(Stereo& mix, Random& random) {
    for (int bar = 0; bar < BARS; ++bar) {
        bool intro = bar < 8;
        bool lastBar = bar == BARS - 1;
        const char* kicks = bar >= 16 && bar % 4 == 3 ? "x...x...x...x.x." : "x...x...x...x...";
        const char* snares = lastBar ? "....x...x.xxxxxx" : "....x.......x...";
        const char* hats = intro ? "..x...x...x...x." : "x.x.x.x.x.x.x.x.";
        for (int step = 0; step < STEPS_PER_BAR; ++step) {
            long at = static_cast<long>(bar * STEPS_PER_BAR + step) * STEP;
            if (hit(kicks, step)) {
                kick(mix, at, 0.9);
            }
            if (hit(snares, step) && bar >= 4) {
                double roll = lastBar && step > 8 ? 0.5 + 0.05 * (step - 8) : 0.7;
                snare(mix, at, roll, random);
            }
            if (hit(hats, step)) {
                bool open = bar >= 16 && step % 4 == 2;
                hat(mix, at, step % 4 == 2 ? 0.32 : 0.18, open, random);
            }
        }
    }
}

void writeBassAndPad(Stereo& mix) {
    const double eighth = 2.0 * STEP / RATE;
    // Root, root, octave, root: a driving eighth-note line.
    const int pattern[8] = {0, 0, 12, 0, 0, 12, 0, 7};
    for (int bar = 0; bar < BARS; ++bar) {
        int root = noteNumber(CHORD_ROOTS[bar % 4]);
        for (int e = 0; e < 8; ++e) {
            long at = static_cast<long>(bar * STEPS_PER_BAR + e * 2) * STEP;
            bass(mix, at, eighth * 0.8, root + pattern[e], e % 2 == 0 ? 0.55 : 0.42);
        }
        pad(mix, static_cast<long>(bar * STEPS_PER_BAR) * STEP, 16.0 * STEP / RATE - 0.2, root,
            CHORD_THIRDS[bar % 4]);
    }
}

void writeLead(Stereo& mix) {
    std::vector<Note> notes;
    for (int bar = 8; bar < 16; ++bar) {
        addMelodyBar(notes, bar, THEME[bar - 8], 0);
    }
    for (int bar = 16; bar < 24; ++bar) {
        addMelodyBar(notes, bar, BRIDGE[bar - 16], 0);
    }
    for (int bar = 24; bar < 32; ++bar) {
        addMelodyBar(notes, bar, THEME[bar - 24], 12);
    }
    std::vector<double> bus(FRAMES);
    for (const Note& n : notes) {
        double seconds = n.lengthSteps * STEP / RATE * 0.92;
        lead(bus, static_cast<long>(n.startStep) * STEP, seconds, n.pitch, 0.16);
    }
    echo(mix, bus, -0.15);
}

}  // namespace

int musicFrames() {
    return FRAMES;
}

std::vector<double> makeMusic() {
    Stereo mix;
    Random random(0x4D75);
    writeDrums(mix, random);
    writeBassAndPad(mix);
    writeLead(mix);

    std::vector<double> interleaved(static_cast<size_t>(FRAMES) * 2);
    for (int i = 0; i < FRAMES; ++i) {
        // Gentle saturation glues the mix and tames the kick's peaks.
        interleaved[2 * i] = std::tanh(mix.left[i] * 1.3);
        interleaved[2 * i + 1] = std::tanh(mix.right[i] * 1.3);
    }
    normalizePeak(interleaved, 0.89);
    return interleaved;
}

}  // namespace assetgen
