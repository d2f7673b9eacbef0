#include "input/gamepad.h"

#include <SDL2/SDL.h>

#include <map>

#include "input/gamepad_keys.h"
#include "input/key_bindings.h"
#include "input/key_commands.h"
#include "input/key_state.h"
#include "session/race_commands.h"
#include "session/replay_watch.h"

namespace {
struct OpenPad {
    SDL_GameController* controller = nullptr;
    PadReading reading;
};

std::map<SDL_JoystickID, OpenPad> gPads;

void holdPadKeys() {
    KeyboardInput held;
    for (const auto& [id, pad] : gPads) {
        held = eitherHeld(held, keysHeldByPad(pad.reading));
    }
    holdKeyFromPad(VK_UP, held.up);
    holdKeyFromPad(VK_DOWN, held.down);
    holdKeyFromPad(VK_LEFT, held.left);
    holdKeyFromPad(VK_RIGHT, held.right);
    holdKeyFromPad(VK_SPACE, held.space);
}

// A pad may come in with a button already held.
PadReading readPadNow(SDL_GameController* pad) {
    PadReading reading;
    reading.leftStickX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    reading.leftTrigger = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    reading.rightTrigger = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        reading.setButton(button, SDL_GameControllerGetButton(
                                      pad, static_cast<SDL_GameControllerButton>(button)) != 0);
    }
    return reading;
}

void openPad(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        return;  // not a pad SDL can map: the race goes on without it
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (gPads.count(id) != 0) {
        SDL_GameControllerClose(controller);  // already open: SDL counts the extra opening
        return;
    }
    gPads[id] = OpenPad{controller, readPadNow(controller)};
}

void closePad(SDL_JoystickID id) {
    const auto pad = gPads.find(id);
    if (pad == gPads.end()) {
        return;
    }
    SDL_GameControllerClose(pad->second.controller);
    gPads.erase(pad);
}

// The shoulders stay fixed: they wind a replay and show or hide the ghost.
void pressCommandButton(uint8_t button) {
    const auto isBound = [button](Action action) { return button == boundPadButton(action); };
    if (isBound(Action::Camera)) {
        onKeyDown(virtualKeyOf(Action::Camera));
    } else if (isBound(Action::Pause)) {
        onKeyDown(virtualKeyOf(Action::Pause));
    } else if (isBound(Action::RaceAgain)) {
        onKeyDown(virtualKeyOf(Action::RaceAgain));
    } else if (isBound(Action::Cockpit)) {
        // Paused or finished, the natural next step is the next race.
        onKeyDown(virtualKeyOf(pauseOrFinishPanelShows() ? Action::RaceAgain : Action::Cockpit));
    } else if (watchingReplay() && button == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER) {
        onKeyDown(VK_F);  // a replay runs fast, or at its own pace again
    } else if (watchingReplay() && button == SDL_CONTROLLER_BUTTON_LEFTSHOULDER) {
        onKeyDown(VK_B);  // and goes back ten seconds
    } else if (button == SDL_CONTROLLER_BUTTON_LEFTSHOULDER) {
        onKeyDown(VK_G);  // racing, it shows or hides the ghost
    }
}

void readAxis(PadReading& reading, uint8_t axis, int16_t value) {
    switch (axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
            reading.leftStickX = value;
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
            reading.leftTrigger = value;
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
            reading.rightTrigger = value;
            break;
        default:
            break;
    }
}

PadReading* readingOf(SDL_JoystickID id) {
    const auto pad = gPads.find(id);
    return pad != gPads.end() ? &pad->second.reading : nullptr;
}
}  // namespace

bool handleGamepadEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            openPad(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            closePad(event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (PadReading* reading = readingOf(event.cbutton.which)) {
                const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
                reading->setButton(event.cbutton.button, down);
                if (down) {
                    pressCommandButton(event.cbutton.button);
                }
            }
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (PadReading* reading = readingOf(event.caxis.which)) {
                readAxis(*reading, event.caxis.axis, event.caxis.value);
            }
            break;
        default:
            return false;
    }
    holdPadKeys();
    return true;
}

int openGamepadCount() {
    return static_cast<int>(gPads.size());
}

void closeAllGamepads() {
    while (!gPads.empty()) {
        closePad(gPads.begin()->first);
    }
    holdPadKeys();
}
