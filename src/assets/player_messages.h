#pragma once

// How the game tells the player that it cannot go on as it should: a modal
// box, and for an asset it cannot do without, the end of the program. Asset
// loaders and the sound call these; the screen (src/screen) shows the box.

enum class BoxOwner { None, GameWindow };
enum class BoxIcon { None, Error };

// Says the message on standard error and shows it in a modal message box,
// waiting for the player to close it. With no box put in (the simulation
// alone, no window), standard error is all.
void showMessageBox(const char* text, const char* caption, BoxOwner owner = BoxOwner::None,
                    BoxIcon icon = BoxIcon::None);

// The window's own box; the game puts it in at start.
using MessageBoxShower = void (*)(const char* text, const char* caption, BoxOwner owner,
                                  BoxIcon icon);
void setMessageBoxShower(MessageBoxShower shower);

// Tests capture boxes instead of showing them. Pass nullptr to restore the real box.
using MessageBoxHandler = void (*)(const char* text, const char* caption);
void setMessageBoxHandler(MessageBoxHandler handler);

// Ends the process at once with the given exit code (an asset that cannot be loaded).
[[noreturn]] void endProgram(int exitCode);
