#pragma once

#include <SDL2/SDL_gamecontroller.h>

#include <string>

// A pad button as the player reads it on the pad and in the menu: "A",
// "Back", "Left shoulder", "D-pad up"; "-" for no button. The settings file
// keeps SDL's own names ("a", "back", "leftshoulder").
std::string padButtonReadName(SDL_GameControllerButton button);
