#include "menu/player_settings.h"

#include <memory>

#include "audio/sound.h"
#include "hud/frame_rate.h"
#include "hud/overlay.h"
#include "input/key_bindings.h"
#include "saves/settings_store.h"
#include "screen/game_window.h"
#include "screen/picture_target.h"
#include "screen/window_placement.h"
#include "session/race_commands.h"
#include "world/world_fetch.h"

namespace {
std::unique_ptr<SettingsStore> gSettingsStore;

SettingsStore& store() {
    if (!gSettingsStore) {
        gSettingsStore =
            std::make_unique<SettingsStore>(std::string());  // nothing read, nothing saved
    }
    return *gSettingsStore;
}

// The race drawn at the player's share of the screen, refitted when it changes.
void showAtResolutionScale(int percent) {
    if (percent != resolutionScale()) {
        setResolutionScale(percent);
        fitPictureToGameWindow();
    }
}
}  // namespace

void loadSettingsForThisRun(bool screenFromCommandLine,
                            std::optional<Difficulty> difficultyFromCommandLine) {
    gSettingsStore = std::make_unique<SettingsStore>(loadPlayerSettings());
    if (screenFromCommandLine) {
        gSettingsStore->takeScreenFromCommandLine(screenSettingFor(gDisplayChoice));
    } else {
        gDisplayChoice = displayChoiceFor(gSettingsStore->settings().screen);
    }
    // Before the sound starts, so the music begins at the player's volume
    // rather than at full volume and then lowered.
    setResolutionScale(gSettingsStore->settings().resolutionScale);  // the window opens at it
    setMusicVolume(gSettingsStore->settings().musicVolume);
    setEffectsVolume(gSettingsStore->settings().effectsVolume);
    chooseDifficulty(difficultyFromCommandLine.value_or(gSettingsStore->settings().difficulty));
}

void applyPlayerSettings() {
    const Settings& settings = store().settings();
    setHudSize(settings.hudSize);
    gShowFrameRate = settings.showFrameRate;
    showAtResolutionScale(settings.resolutionScale);
    applyKeySettings(settings);  // a name SDL does not know keeps the default
}

const Settings& playerSettings() {
    return store().settings();
}

void changePlayerSettings(const Settings& changed) {
    const Settings before = store().settings();
    store().change(changed);
    const Settings& now = store().settings();
    if (now.musicVolume != before.musicVolume) {
        setMusicVolume(now.musicVolume);
    }
    if (now.effectsVolume != before.effectsVolume) {
        setEffectsVolume(now.effectsVolume);
    }
    if (now.screen != before.screen && gWindow != nullptr) {
        placeGameWindowAt(gWindow, now.screen);
    }
    if (now.difficulty != before.difficulty) {
        chooseDifficulty(now.difficulty);  // from the next race on
    }
    setHudSize(now.hudSize);
    gShowFrameRate = now.showFrameRate;
    showAtResolutionScale(now.resolutionScale);
    if (now.board != before.board || now.player != before.player) {
        startTheWorld();  // or, with no board now, ends the sender
    }
}

WorldChoice worldChoice() {
    return {store().settings().board, store().settings().player};
}

void startTheWorld() {
    const WorldChoice choice = worldChoice();
    startWorldSender(choice);
    if (!choice.board.empty()) {
        fetchCircuitOfTheDay(choice);
    }
}
