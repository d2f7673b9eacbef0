// menu: the pause menu over the paused race, and the player's settings it changes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hud/finish_panel.h"
#include "hud/menu_panel.h"

union SDL_Event;

// What the player does in the menu, from the keys, the mouse or a pad alike.
enum class MenuCommand { Up, Down, Left, Right, Select, Back, Erase };

// The menu shows while a race is paused (a replay keeps its own banner).
// Every pause opens it at its top, with Resume chosen.
bool pauseMenuShows();
MenuPanel pauseMenuView();

// Up and Down choose a line, Left and Right change a setting, Select does
// what the line says, Back ends a typed number or goes up a page, Erase
// takes back a typed digit.
// Returns whether the menu took the command: Back on the top page is not the
// menu's (Esc quits there, as it always has).
bool pauseMenuCommand(MenuCommand command);
// A digit typed on the circuit line starts or goes on with a number.
bool pauseMenuDigit(int digit);
// Select on the settings' Board or Player line starts typing on it: text
// typed (printable ASCII) goes on the line, Erase takes back a character,
// Select keeps it when it is an address or name the settings can keep
// (empty clears it; otherwise a note says why and it stays as it was), and
// Back leaves it as it was.
bool pauseMenuTypes();
void pauseMenuText(const std::string& text);
// The mouse over a line chooses it.
void pauseMenuPoint(int line);

// After Select on a key's line, the next key or pad button pressed is bound
// to its action; Esc leaves it as it was.
bool pauseMenuWaitsForKey();
void pauseMenuKeyPressed(int32_t sdlKeycode);
void pauseMenuPadButtonPressed(int button);

// The game's events, while the menu shows: the ones it takes are its own and
// go no further. Keys: arrows or W/S, Enter, Esc, Backspace, digits; the
// mouse: pointing and the left button; a pad: d-pad or left stick, A, B.
bool pauseMenuTakesEvent(const SDL_Event& event);

// The mouse pointer shows while the menu does, and hides again for the race.
void keepPointerWithMenu();

// The menu over the dimmed race, at the HUD's size, and beside or under the
// finish panel when the race is over (given); its lines are kept for the
// mouse.
void drawPauseMenu(const FinishPanel* finished);
