// audio: the engine, crash, shot and countdown sounds and the streamed music, through OpenAL Soft.
#pragma once

#include <cstdint>

// The music and the three samples, each played by its own OpenAL source (so at
// most one playback of each); 0 when it was not created.
extern uint32_t gMusicStream;
extern uint32_t gEngineSample;
extern uint32_t gCrashSample;
extern uint32_t gShotSample;
// The countdown's two tones, made as the sound starts (no file of theirs).
extern uint32_t gCountdownBeepSample;
extern uint32_t gCountdownGoSample;
// The engine's playback rate in Hz and its volume on a 0..100 scale.
extern int32_t gEngineFrequency;
extern int32_t gEngineVolume;

// Starts the music and the engine sound on the default output, opened now
// (the game's window takes one opened ahead: startSoundWith in
// sound_backend.h). Returns 0 when the audio runtime lacks what the game needs
// (window creation then skips the joystick), else 1.
int startSound();
// One notch per frame: up while the throttle is open, down otherwise.
void updateEngineSound(float throttle);
// Tops up the music, decoding only when a stretch of it has been played.
// Called once a frame; a source that ran dry in a long stall starts again.
void updateMusicStream();
// The crash sound; a request while it still sounds is ignored.
void playCrashSound();
// The shot's launch, at half volume.
void playShotSound();
// A time trial's countdown: a short beep for 3, 2 and 1, a higher, longer
// one for GO.
void playCountdownSound(bool go);
// A paused race: the engine and the effects hold where they are and the music
// goes on quietly. Resuming plays them on from there. Either is harmless
// when repeated, and without sound.
void pauseRaceSounds();
void resumeRaceSounds();
// The player's volumes, 0 (silent) to 100 (as the race was made), heard at
// once: the music's on its gain, racing or paused; the effects' on each
// sound's own volume. Harmless without sound.
void setMusicVolume(int percent);
void setEffectsVolume(int percent);
void shutdownSound();
// Shows text with the back end's last error code, caption "Error".
void reportSoundError(const char* text);
