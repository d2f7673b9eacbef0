#pragma once

#include <cstdint>

struct SDL_Window;

// Starts the music and the engine sound. Returns 0 when the audio runtime
// lacks what the game needs (window creation then skips the joystick), else 1.
int startSound(SDL_Window* window);
// One notch per frame: up while the throttle is open, down otherwise.
void updateEngineSound(float throttle);
// The crash sound; a request while it still sounds is ignored.
void playCrashSound();
// The shot's launch, at half volume.
void playShotSound();
void shutdownSound();
// Shows text with the back end's last error code, caption "Error".
void reportSoundError(const char* text);
