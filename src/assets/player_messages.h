#pragma once

// How the game tells the player that it cannot go on as it should: a modal
// box, and for an asset it cannot do without, the end of the program. Asset
// loaders and the sound call these; the screen (src/screen) carries them out.

enum class BoxOwner { None, GameWindow };
enum class BoxIcon { None, Error };

// Shows a modal message box and waits for the player to close it.
void showMessageBox(const char* text, const char* caption, BoxOwner owner = BoxOwner::None,
                    BoxIcon icon = BoxIcon::None);

// Tests capture boxes instead of showing them. Pass nullptr to restore the real box.
using MessageBoxHandler = void (*)(const char* text, const char* caption);
void setMessageBoxHandler(MessageBoxHandler handler);

// Ends the process at once with the given exit code (an asset that cannot be loaded).
[[noreturn]] void endProgram(int exitCode);
