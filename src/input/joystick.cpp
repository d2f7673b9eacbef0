#include "input/joystick.h"

#include <SDL2/SDL.h>

JoystickState* gJoystickState = nullptr;

void createJoystickRecord() {
    if (gJoystickState == nullptr) {
        gJoystickState = new JoystickState();
    }
}

namespace {
SDL_Joystick* gJoystick = nullptr;
}

uint32_t joystickAxisToUnsigned(int16_t axis) {
    return static_cast<uint32_t>(static_cast<int32_t>(axis) + 32768);
}

int captureJoystick() {
    if (gJoystick != nullptr) {
        return JOYERR_NOERROR;
    }
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0 || SDL_NumJoysticks() <= 0) {
        return JOYERR_UNPLUGGED;
    }
    gJoystick = SDL_JoystickOpen(0);
    return gJoystick != nullptr ? JOYERR_NOERROR : JOYERR_UNPLUGGED;
}

int pollJoystick(JoystickState* state) {
    if (gJoystick == nullptr || state == nullptr) {
        return JOYERR_UNPLUGGED;
    }
    SDL_JoystickUpdate();
    const int axes = SDL_JoystickNumAxes(gJoystick);
    state->x = axes > 0 ? joystickAxisToUnsigned(SDL_JoystickGetAxis(gJoystick, 0)) : 32768;
    state->y = axes > 1 ? joystickAxisToUnsigned(SDL_JoystickGetAxis(gJoystick, 1)) : 32768;
    state->z = axes > 2 ? joystickAxisToUnsigned(SDL_JoystickGetAxis(gJoystick, 2)) : 32768;
    uint32_t buttons = 0;
    const int count = SDL_JoystickNumButtons(gJoystick);
    for (int i = 0; i < count && i < 32; ++i) {
        if (SDL_JoystickGetButton(gJoystick, i) != 0) {
            buttons |= 1u << i;
        }
    }
    state->buttons = buttons;
    return JOYERR_NOERROR;
}

void releaseJoystick() {
    if (gJoystick != nullptr) {
        SDL_JoystickClose(gJoystick);
        gJoystick = nullptr;
    }
}
