#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "input/key_bindings.h"
#include "input/key_commands.h"
#include "input/key_state.h"
#include "race/camera.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "session/race_commands.h"
#include "shell/window.h"
#include "support/harness/race_start.h"

namespace {

SDL_Event keyDown(SDL_Keycode key, bool repeat) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.repeat = repeat ? 1 : 0;
    return event;
}

class RaceCommands : public testing::Test {
protected:
    void SetUp() override {
        gCameraMode = 0;
        testsupport::startRaceWithoutGraphics();
    }
    void TearDown() override {
        resumeRace();
        gCameraMode = 0;
    }
};

TEST_F(RaceCommands, PPausesTheRaceAndPAgainResumesIt) {
    onKeyDown(VK_P);
    EXPECT_TRUE(raceIsPaused());
    EXPECT_TRUE(pauseOrFinishPanelShows());
    onKeyDown(VK_P);
    EXPECT_FALSE(raceIsPaused());
    EXPECT_FALSE(pauseOrFinishPanelShows());
}

TEST_F(RaceCommands, AHeldPOrRDoesNotRepeatButAHeldCStillCycles) {
    handleWindowEvent(keyDown(SDLK_p, false));
    ASSERT_TRUE(raceIsPaused());
    for (int i = 0; i < 5; ++i) {
        handleWindowEvent(keyDown(SDLK_p, true));
    }
    EXPECT_TRUE(raceIsPaused());
    handleWindowEvent(keyDown(SDLK_c, false));
    handleWindowEvent(keyDown(SDLK_c, true));
    EXPECT_EQ(gCameraMode, 2);
}

TEST_F(RaceCommands, TheFinishPanelShowsOnceTheThirdLapIsIn) {
    EXPECT_FALSE(pauseOrFinishPanelShows());
    gLapClock.registerLap(41000, 1);
    gLapClock.registerLap(82000, 2);
    EXPECT_FALSE(pauseOrFinishPanelShows());
    gLapClock.registerLap(124000, 3);
    EXPECT_TRUE(pauseOrFinishPanelShows());
}

TEST(CommandKeys, PAndRMapToTheirVirtualKeys) {
    EXPECT_EQ(virtualKeyFromSdl(SDLK_p), VK_P);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_r), VK_R);
    EXPECT_EQ(VK_P, 0x50);
    EXPECT_EQ(VK_R, 0x52);
}

}  // namespace
