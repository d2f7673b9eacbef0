#pragma once

#include <SDL2/SDL_gamecontroller.h>
#include <SDL2/SDL_keycode.h>

#include <cstdint>
#include <string>

#include "saves/settings.h"

// The key and the gamepad button the player chose for each action. Whatever
// they are, an action feeds the game the virtual key it always has (Up for
// accelerate, P for pause), so the race and its commands never know.
//
// Defaults: Up, Down, Left, Right, Space, C, V, P, R on the keyboard; on a pad
// a, b, dpleft, dpright, x, y, back, start and none for race again (the
// cockpit button races again while paused or finished, as Back always has).
//
// Kept fixed, so never given to an action: Esc, M, G, N, F, B and Return
// (Alt+Return switches the screen); on a pad both shoulders, which wind a
// replay and show or hide the ghost. The triggers drive and are no buttons.

SDL_Keycode boundKey(Action action);
// SDL_CONTROLLER_BUTTON_INVALID when the action has no button.
SDL_GameControllerButton boundPadButton(Action action);

// Gives the action this key or button, or says in one line why not ("Space is
// already fire", "Esc always quits") and changes nothing. An action may be
// given its own key again. On a pad, SDL_CONTROLLER_BUTTON_INVALID takes the
// action's button away.
bool bindKey(Action action, SDL_Keycode key, std::string& refusal);
bool bindPadButton(Action action, SDL_GameControllerButton button, std::string& refusal);

// Every action back on its default key and button.
void resetKeyBindings();

// For the menu: "Up", "Space", "W"; "A", "D-pad left", "-"; "Race again".
std::string keyLabel(Action action);
std::string padButtonLabel(Action action);
std::string actionLabel(Action action);

// The virtual key an action feeds the game: VK_UP for accelerate.
int virtualKeyOf(Action action);

// The virtual key an SDL key gives: its action's when it is bound, its own
// for the fixed command keys, otherwise 0 (Up, once accelerate moved to W).
int virtualKeyFromSdl(int32_t sdlKeycode);

// The settings' key and button names, as SDL names them, taken on. An empty
// name keeps the default; so does a name SDL does not know, or one that is
// refused or already another action's, said in one line on standard error.
void applyKeySettings(const Settings& settings);
// Every action's key and button name written back ("none" for no button):
// a name that already gives the bound one stays as written, and one at its
// default is left empty, so the settings file holds only what was changed.
void storeKeySettings(Settings& settings);
