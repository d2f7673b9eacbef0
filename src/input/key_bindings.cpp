#include "input/key_bindings.h"

#include <SDL2/SDL_keyboard.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <optional>

#include "input/key_state.h"
#include "input/pad_button_names.h"

namespace {
constexpr std::array<SDL_Keycode, ACTION_COUNT> DEFAULT_KEYS = {
    SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_c, SDLK_v, SDLK_p, SDLK_r};
constexpr std::array<SDL_GameControllerButton, ACTION_COUNT> DEFAULT_PAD_BUTTONS = {
    SDL_CONTROLLER_BUTTON_A,          SDL_CONTROLLER_BUTTON_B,     SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_X,     SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_INVALID};
constexpr std::array<int, ACTION_COUNT> VIRTUAL_KEYS = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE,
                                                        VK_C,  VK_V,    VK_P,    VK_R};

std::array<SDL_Keycode, ACTION_COUNT> gKeys = DEFAULT_KEYS;
std::array<SDL_GameControllerButton, ACTION_COUNT> gPadButtons = DEFAULT_PAD_BUTTONS;

int indexOf(Action action) {
    return static_cast<int>(action);
}

// The keys that always give the same command, with what they do.
struct FixedKey {
    SDL_Keycode key;
    int virtualKey;
    const char* says;
};
constexpr std::array<FixedKey, 8> FIXED_KEYS = {{
    {SDLK_ESCAPE, VK_ESCAPE, "Esc always quits"},
    {SDLK_m, VK_M, "M shows the track map"},
    {SDLK_g, VK_G, "G shows or hides the ghost"},
    {SDLK_n, VK_N, "N races the next circuit"},
    {SDLK_f, VK_F, "F runs a replay fast"},
    {SDLK_b, VK_B, "B takes a replay back"},
    {SDLK_RETURN, 0, "Return with Alt switches between a window and the whole screen"},
    {SDLK_F12, 0, "F12 saves a screenshot"},
}};

const FixedKey* fixedKey(SDL_Keycode key) {
    for (const FixedKey& fixed : FIXED_KEYS) {
        if (fixed.key == key) {
            return &fixed;
        }
    }
    return nullptr;
}

// "race again" for the middle of a sentence.
std::string actionWords(Action action) {
    std::string words = actionLabel(action);
    words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
    return words;
}

std::string keyName(SDL_Keycode key) {
    return SDL_GetKeyName(key);
}

std::string padButtonName(SDL_GameControllerButton button) {
    const char* name = SDL_GameControllerGetStringForButton(button);
    return name != nullptr ? name : "none";
}

constexpr const char* SHOULDERS_FIXED = "the shoulders wind replays and show or hide the ghost";

bool isShoulder(SDL_GameControllerButton button) {
    return button == SDL_CONTROLLER_BUTTON_LEFTSHOULDER ||
           button == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
}

// The action other than this one on the code, or -1.
template <typename Code>
int actionOn(const std::array<Code, ACTION_COUNT>& table, Code code, Action action) {
    for (int other = 0; other < ACTION_COUNT; ++other) {
        if (other != indexOf(action) && table[other] == code) {
            return other;
        }
    }
    return -1;
}

std::string alreadyTaken(const std::string& name, int other) {
    return name + " is already " + actionWords(static_cast<Action>(other));
}

// One settings line that could not be taken, e.g.
// zentrix: settings: key.fire "Foo" is no key; fire stays on Space
void sayKept(const char* kind, Action action, const std::string& name, const std::string& why,
             const std::string& stays) {
    std::fprintf(stderr, "zentrix: settings: %s.%s \"%s\"%s; %s stays on %s\n", kind,
                 actionName(action), name.c_str(), why.c_str(), actionName(action), stays.c_str());
}

// The key a settings name gives; nothing for an empty name, or for one that
// cannot be an action's key, which is said.
std::optional<SDL_Keycode> keyFromSettings(Action action, const std::string& name) {
    if (name.empty()) {
        return std::nullopt;
    }
    const std::string stays = keyName(DEFAULT_KEYS[indexOf(action)]);
    const SDL_Keycode key = SDL_GetKeyFromName(name.c_str());
    if (key == SDLK_UNKNOWN) {
        sayKept("key", action, name, " is no key", stays);
        return std::nullopt;
    }
    if (const FixedKey* fixed = fixedKey(key)) {
        sayKept("key", action, name, std::string(": ") + fixed->says, stays);
        return std::nullopt;
    }
    return key;
}

// The same for a pad button, where "none" is no button at all.
std::optional<SDL_GameControllerButton> padButtonFromSettings(Action action,
                                                              const std::string& name) {
    if (name.empty()) {
        return std::nullopt;
    }
    if (name == "none") {
        return SDL_CONTROLLER_BUTTON_INVALID;
    }
    const std::string stays = padButtonName(DEFAULT_PAD_BUTTONS[indexOf(action)]);
    const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
    if (button == SDL_CONTROLLER_BUTTON_INVALID) {
        sayKept("pad", action, name, " is no gamepad button", stays);
        return std::nullopt;
    }
    if (isShoulder(button)) {
        sayKept("pad", action, name, std::string(": ") + SHOULDERS_FIXED, stays);
        return std::nullopt;
    }
    return button;
}

// Whether a settings name already gives this key or button, said as the
// player wrote it ("up" for Up) or empty for the default; asked quietly.
bool namesKey(const std::string& name, SDL_Keycode key) {
    return !name.empty() && SDL_GetKeyFromName(name.c_str()) == key;
}

bool namesPadButton(const std::string& name, SDL_GameControllerButton button) {
    if (name == "none") {
        return button == SDL_CONTROLLER_BUTTON_INVALID;
    }
    return !name.empty() && button != SDL_CONTROLLER_BUTTON_INVALID &&
           SDL_GameControllerGetButtonFromString(name.c_str()) == button;
}

// Settings may swap two actions' keys, so clashes are settled over the whole
// table: of two actions on one code, one that moved off its default goes
// back (the later, when both moved), until no two share a code.
template <typename Code, typename Label>
void settleClashes(std::array<Code, ACTION_COUNT>& chosen,
                   const std::array<Code, ACTION_COUNT>& defaults, Code none, const char* kind,
                   const std::string* names, Label label) {
    for (bool clash = true; clash;) {
        clash = false;
        for (int one = 0; one < ACTION_COUNT && !clash; ++one) {
            for (int later = one + 1; later < ACTION_COUNT && !clash; ++later) {
                if (chosen[one] == chosen[later] && chosen[one] != none) {
                    clash = true;
                    const bool laterMoved = chosen[later] != defaults[later];
                    const int back = laterMoved ? later : one;
                    const int keeps = laterMoved ? one : later;
                    sayKept(kind, static_cast<Action>(back), names[back],
                            ": " + alreadyTaken(label(chosen[back]), keeps), label(defaults[back]));
                    chosen[back] = defaults[back];
                }
            }
        }
    }
}
}  // namespace

SDL_Keycode boundKey(Action action) {
    return gKeys[indexOf(action)];
}

SDL_GameControllerButton boundPadButton(Action action) {
    return gPadButtons[indexOf(action)];
}

bool bindKey(Action action, SDL_Keycode key, std::string& refusal) {
    if (key == SDLK_UNKNOWN) {
        refusal = "that is no key";
        return false;
    }
    if (const FixedKey* fixed = fixedKey(key)) {
        refusal = fixed->says;
        return false;
    }
    const int other = actionOn(gKeys, key, action);
    if (other >= 0) {
        refusal = alreadyTaken(keyName(key), other);
        return false;
    }
    gKeys[indexOf(action)] = key;
    releaseAllKeys();  // a key held across the change would never be let go
    return true;
}

bool bindPadButton(Action action, SDL_GameControllerButton button, std::string& refusal) {
    if (isShoulder(button)) {
        refusal = SHOULDERS_FIXED;
        return false;
    }
    if (button < SDL_CONTROLLER_BUTTON_INVALID || button >= SDL_CONTROLLER_BUTTON_MAX) {
        refusal = "that is no gamepad button";
        return false;
    }
    const int other = actionOn(gPadButtons, button, action);
    if (button != SDL_CONTROLLER_BUTTON_INVALID && other >= 0) {
        refusal = alreadyTaken(padButtonReadName(button), other);
        return false;
    }
    gPadButtons[indexOf(action)] = button;
    releaseAllKeys();
    return true;
}

void resetKeyBindings() {
    gKeys = DEFAULT_KEYS;
    gPadButtons = DEFAULT_PAD_BUTTONS;
    releaseAllKeys();
}

std::string keyLabel(Action action) {
    return keyName(boundKey(action));
}

std::string padButtonLabel(Action action) {
    return padButtonReadName(boundPadButton(action));
}

std::string actionLabel(Action action) {
    static const char* const LABELS[ACTION_COUNT] = {
        "Accelerate", "Brake", "Left", "Right", "Fire", "Camera", "Cockpit", "Pause", "Race again"};
    return LABELS[indexOf(action)];
}

int virtualKeyOf(Action action) {
    return VIRTUAL_KEYS[indexOf(action)];
}

int virtualKeyFromSdl(int32_t sdlKeycode) {
    for (int action = 0; action < ACTION_COUNT; ++action) {
        if (gKeys[action] == sdlKeycode) {
            return VIRTUAL_KEYS[action];
        }
    }
    const FixedKey* fixed = fixedKey(sdlKeycode);
    return fixed != nullptr ? fixed->virtualKey : 0;
}

void applyKeySettings(const Settings& settings) {
    std::array<SDL_Keycode, ACTION_COUNT> keys = DEFAULT_KEYS;
    std::array<SDL_GameControllerButton, ACTION_COUNT> buttons = DEFAULT_PAD_BUTTONS;
    for (int index = 0; index < ACTION_COUNT; ++index) {
        const Action action = static_cast<Action>(index);
        keys[index] = keyFromSettings(action, settings.keys[index]).value_or(keys[index]);
        buttons[index] =
            padButtonFromSettings(action, settings.padButtons[index]).value_or(buttons[index]);
    }
    settleClashes(keys, DEFAULT_KEYS, SDL_Keycode{SDLK_UNKNOWN}, "key", settings.keys, keyName);
    settleClashes(buttons, DEFAULT_PAD_BUTTONS, SDL_CONTROLLER_BUTTON_INVALID, "pad",
                  settings.padButtons, padButtonName);
    gKeys = keys;
    gPadButtons = buttons;
    releaseAllKeys();
}

void storeKeySettings(Settings& settings) {
    for (int index = 0; index < ACTION_COUNT; ++index) {
        std::string& key = settings.keys[index];
        if (!namesKey(key, gKeys[index])) {
            key = gKeys[index] == DEFAULT_KEYS[index] ? "" : keyName(gKeys[index]);
        }
        std::string& button = settings.padButtons[index];
        if (!namesPadButton(button, gPadButtons[index])) {
            button = gPadButtons[index] == DEFAULT_PAD_BUTTONS[index]
                         ? ""
                         : padButtonName(gPadButtons[index]);
        }
    }
}
