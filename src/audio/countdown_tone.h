#pragma once

#include "audio/sound_decoder.h"

// The countdown's tones, made as the sound starts rather than read from
// data/, so there is no file to lose: a short beep for 3, 2 and 1, and a
// higher, longer one for GO. Mono 16-bit.
constexpr int COUNTDOWN_TONE_RATE = 44100;
constexpr double COUNTDOWN_BEEP_HZ = 880.0;
constexpr double COUNTDOWN_GO_HZ = 1760.0;
constexpr double COUNTDOWN_BEEP_SECONDS = 0.15;
constexpr double COUNTDOWN_GO_SECONDS = 0.6;

DecodedSound countdownTone(bool go);
