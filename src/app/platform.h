#pragma once

#include <cstdint>

// The few machine services the game code uses, kept free of SDL types so the
// race, track and maths code compile and test without a window.

enum class BoxOwner { None, GameWindow };
enum class BoxIcon { None, Error };

// Shows a modal message box and waits for the player to close it.
void showMessageBox(const char* text, const char* caption, BoxOwner owner = BoxOwner::None,
                    BoxIcon icon = BoxIcon::None);

// Tests capture boxes instead of showing them. Pass nullptr to restore the real box.
using MessageBoxHandler = void (*)(const char* text, const char* caption);
void setMessageBoxHandler(MessageBoxHandler handler);

// Milliseconds since start-up, unsigned 32-bit so the lap clock's arithmetic holds across wrap.
uint32_t platformMilliseconds();

// Shows the finished frame in the game window, if there is one, scaled to the
// window when it was drawn off screen.
void swapGameBuffers();

// Ends the process at once with the given exit code (an asset that cannot be loaded).
[[noreturn]] void endProgram(int exitCode);
