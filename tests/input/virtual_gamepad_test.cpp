// A gamepad plugged into the game drives the craft through the same keys as
// the keyboard. SDL's virtual joystick stands in for the pad: SDL maps it as
// a game controller, and its events reach the game's window procedure as a
// real pad's would.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <functional>

#include "craft/player.h"
#include "craft/projectile.h"
#include "input/gamepad.h"
#include "input/key_bindings.h"
#include "input/key_commands.h"
#include "input/key_state.h"
#include "race/camera.h"
#include "race/race.h"
#include "screen/quit_message.h"
#include "session/replay_watch.h"
#include "shell/window.h"
#include "support/harness/race_start.h"
#include "track/track.h"

namespace {

// The game's main loop without the picture: every waiting event through the
// window procedure, then one tick of the race on the keys as they stand.
RaceSounds loopTurn() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        EXPECT_NE(event.type, quitMessageType()) << "nothing a pad does ends the race";
        handleWindowEvent(event);
    }
    return stepRace(readKeyboard());
}

class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc pad{};
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        pad.naxes = SDL_CONTROLLER_AXIS_MAX;
        pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        pad.name = "Zentrix test pad";
        const int device = SDL_JoystickAttachVirtualEx(&pad);
        EXPECT_GE(device, 0) << SDL_GetError();
        EXPECT_TRUE(SDL_IsGameController(device)) << "SDL maps it as a game controller";
        instance_ = SDL_JoystickGetDeviceInstanceID(device);
    }
    ~VirtualPad() { unplug(); }

    // The pad's joystick, once the game has opened it.
    SDL_Joystick* joystick() const { return SDL_JoystickFromInstanceID(instance_); }
    void press(SDL_GameControllerButton button, bool down) {
        ASSERT_NE(joystick(), nullptr) << "the game has not opened the pad";
        SDL_JoystickSetVirtualButton(joystick(), button, down ? 1 : 0);
    }
    void lean(SDL_GameControllerAxis axis, int16_t value) {
        ASSERT_NE(joystick(), nullptr) << "the game has not opened the pad";
        SDL_JoystickSetVirtualAxis(joystick(), axis, value);
    }
    void unplug() {
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == instance_) {
                SDL_JoystickDetachVirtual(i);
                return;
            }
        }
    }

private:
    SDL_JoystickID instance_ = -1;
};

class GamepadRace : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        gCameraMode = 0;
        gCockpitView = 0;
        gQuitRequested = 0;
        testsupport::startRaceWithoutGraphics();
    }
    void TearDown() override {
        closeAllGamepads();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        resetKeyBindings();
        releaseAllKeys();
        gCameraMode = 0;
        gCockpitView = 0;
    }

    static void drive(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            loopTurn();
        }
    }
};

struct Craft {
    Vector3 position;
    float speed;
    float yaw;
};

Craft craft() {
    return {gPlayer.position, gPlayer.speed, gPlayer.yaw};
}

// The same drive twice from the grid, once on the keyboard and once on the pad.
void expectSameCraft(const Craft& keyboard, const Craft& pad) {
    EXPECT_EQ(keyboard.position.x, pad.position.x);
    EXPECT_EQ(keyboard.position.z, pad.position.z);
    EXPECT_EQ(keyboard.speed, pad.speed);
    EXPECT_EQ(keyboard.yaw, pad.yaw);
}

TEST_F(GamepadRace, APluggedInPadIsOpenedAndItsAAndStickDriveExactlyAsTheArrowKeysDo) {
    // On the keyboard: Up for a second, then Up and Left for half a second.
    recordKeyDown(VK_UP);
    drive(60);
    recordKeyDown(VK_LEFT);
    drive(30);
    const Craft byKeyboard = craft();
    releaseAllKeys();
    EXPECT_GT(byKeyboard.speed, 50.0f);
    EXPECT_NE(byKeyboard.yaw, 0.0f);

    testsupport::startRaceWithoutGraphics();
    VirtualPad pad;
    loopTurn();
    ASSERT_EQ(openGamepadCount(), 1);
    testsupport::startRaceWithoutGraphics();  // that first turn moved the world a tick
    pad.press(SDL_CONTROLLER_BUTTON_A, true);
    drive(60);
    pad.lean(SDL_CONTROLLER_AXIS_LEFTX, -20000);
    drive(30);
    expectSameCraft(byKeyboard, craft());
}

TEST_F(GamepadRace, TheTriggersAndTheDpadDriveAsAAndBAndTheStickDo) {
    VirtualPad pad;
    loopTurn();
    testsupport::startRaceWithoutGraphics();
    pad.lean(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    drive(60);
    const float fast = gPlayer.speed;
    EXPECT_GT(fast, 50.0f);
    pad.lean(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);  // let go
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    const float yawBefore = gPlayer.yaw;
    drive(10);
    EXPECT_GT(gPlayer.yaw, yawBefore) << "the right turn turns as the Right arrow does";
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    pad.lean(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    drive(5);
    EXPECT_LT(gPlayer.speed, fast - 30.0f) << "the left trigger brakes";
    EXPECT_LT(gPlayer.throttle, 0.0f);
}

TEST_F(GamepadRace, BBrakesAStickInsideItsDeadZoneDoesNotSteerAndXFires) {
    VirtualPad pad;
    loopTurn();
    pad.press(SDL_CONTROLLER_BUTTON_A, true);
    pad.lean(SDL_CONTROLLER_AXIS_LEFTX, 6000);  // resting a little off centre
    drive(60);
    EXPECT_EQ(gPlayer.steer, 0.0f);
    const float fast = gPlayer.speed;
    pad.press(SDL_CONTROLLER_BUTTON_A, false);
    pad.press(SDL_CONTROLLER_BUTTON_B, true);
    loopTurn();
    EXPECT_LT(gPlayer.speed, fast);
    EXPECT_LT(gPlayer.throttle, 0.0f);
    pad.press(SDL_CONTROLLER_BUTTON_B, false);

    ASSERT_EQ(gProjectile.active, 0);
    pad.press(SDL_CONTROLLER_BUTTON_X, true);
    const RaceSounds sounds = loopTurn();
    EXPECT_TRUE(sounds.shot);
    EXPECT_EQ(gProjectile.active, 1);
}

TEST_F(GamepadRace, YCyclesTheChaseCameraAndBackTogglesTheCockpit) {
    VirtualPad pad;
    loopTurn();
    pad.press(SDL_CONTROLLER_BUTTON_Y, true);
    loopTurn();
    EXPECT_EQ(gCameraMode, 1);
    loopTurn();
    EXPECT_EQ(gCameraMode, 1) << "held, it cycles once";
    pad.press(SDL_CONTROLLER_BUTTON_Y, false);
    loopTurn();
    pad.press(SDL_CONTROLLER_BUTTON_Y, true);
    loopTurn();
    EXPECT_EQ(gCameraMode, 2);
    pad.press(SDL_CONTROLLER_BUTTON_BACK, true);
    loopTurn();
    EXPECT_EQ(gCockpitView, 1);
    pad.press(SDL_CONTROLLER_BUTTON_BACK, false);
    loopTurn();
    pad.press(SDL_CONTROLLER_BUTTON_BACK, true);
    loopTurn();
    EXPECT_EQ(gCockpitView, 0);
}

TEST_F(GamepadRace, StartPausesAndBackWhilePausedRacesAgain) {
    VirtualPad pad;
    loopTurn();
    pad.press(SDL_CONTROLLER_BUTTON_START, true);
    loopTurn();
    ASSERT_TRUE(raceIsPaused());
    pad.press(SDL_CONTROLLER_BUTTON_START, false);
    loopTurn();
    const int32_t cockpit = gCockpitView;
    pad.press(SDL_CONTROLLER_BUTTON_BACK, true);
    loopTurn();
    EXPECT_FALSE(raceIsPaused()) << "Back on the pause races again, running";
    EXPECT_EQ(gCockpitView, cockpit) << "and leaves the camera as it was";
    EXPECT_EQ(gPlayer.position, Vector3(gTrack.centreX(0.0), 40.0, gTrack.centreZ(0.0)));
    pad.press(SDL_CONTROLLER_BUTTON_BACK, false);
    loopTurn();
    pad.press(SDL_CONTROLLER_BUTTON_START, true);
    loopTurn();
    pad.press(SDL_CONTROLLER_BUTTON_START, false);
    loopTurn();
    EXPECT_TRUE(raceIsPaused());
    pad.press(SDL_CONTROLLER_BUTTON_START, true);
    loopTurn();
    EXPECT_FALSE(raceIsPaused()) << "Start again goes on";
}

TEST_F(GamepadRace, ChosenButtonsDriveAndCommandInsteadOfTheDefaults) {
    std::string refusal;
    ASSERT_TRUE(bindPadButton(Action::Camera, SDL_CONTROLLER_BUTTON_INVALID, refusal));
    ASSERT_TRUE(bindPadButton(Action::Accelerate, SDL_CONTROLLER_BUTTON_Y, refusal));
    ASSERT_TRUE(bindPadButton(Action::Camera, SDL_CONTROLLER_BUTTON_A, refusal));
    ASSERT_TRUE(bindPadButton(Action::RaceAgain, SDL_CONTROLLER_BUTTON_LEFTSTICK, refusal));
    VirtualPad pad;
    loopTurn();
    pad.press(SDL_CONTROLLER_BUTTON_A, true);
    loopTurn();
    EXPECT_EQ(gCameraMode, 1) << "a cycles the camera";
    EXPECT_EQ(gPlayer.throttle, 0.0f) << "and no longer accelerates";
    pad.press(SDL_CONTROLLER_BUTTON_Y, true);
    drive(30);
    EXPECT_EQ(gCameraMode, 1) << "y no longer cycles it";
    EXPECT_GT(gPlayer.speed, 20.0f) << "y accelerates";
    pad.press(SDL_CONTROLLER_BUTTON_Y, false);
    pad.press(SDL_CONTROLLER_BUTTON_LEFTSTICK, true);
    loopTurn();
    EXPECT_EQ(gPlayer.position, Vector3(gTrack.centreX(0.0), 40.0, gTrack.centreZ(0.0)))
        << "the left stick's button races again";
}

TEST_F(GamepadRace, WatchingAReplayTheShouldersWindItAsFAndBDo) {
    VirtualPad pad;
    loopTurn();
    Replay replay;
    replay.seed = RACE_SEED;
    replay.controls.assign(1200, ReplayControls{ReplayControls::ACCELERATE});
    watchReplay(replay);
    watchFromTheStart();
    for (int tick = 0; tick < 900; ++tick) {
        stepWatchedRace();
    }
    pad.press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    loopTurn();
    EXPECT_TRUE(watchFastForward());
    pad.press(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    loopTurn();
    EXPECT_EQ(watchedTick(), 300u);
    stopWatchingReplay();
}

TEST_F(GamepadRace, UnpluggingAndPluggingInMidRaceKeepsTheRaceGoing) {
    auto pad = std::make_unique<VirtualPad>();
    loopTurn();
    pad->press(SDL_CONTROLLER_BUTTON_A, true);
    recordKeyDown(VK_LEFT);  // the keyboard steers meanwhile
    drive(30);
    ASSERT_TRUE(getAsyncKeyState(VK_UP));

    // Pulled out with A held: A lets go, the keyboard's Left stays down.
    pad->unplug();
    const int32_t frame = gFrameCounter;
    loopTurn();
    EXPECT_EQ(openGamepadCount(), 0);
    EXPECT_EQ(gPlayer.throttle, 0.0f);
    EXPECT_EQ(gPlayer.steer, -1.0f);
    drive(30);
    EXPECT_EQ(gFrameCounter, (frame + 31) % FRAME_COUNTER_MODULUS) << "the race went on";
    EXPECT_EQ(gQuitRequested, 0);

    // Plugged in again, it drives again.
    pad = std::make_unique<VirtualPad>();
    loopTurn();
    EXPECT_EQ(openGamepadCount(), 1);
    pad->press(SDL_CONTROLLER_BUTTON_A, true);
    loopTurn();
    EXPECT_GT(gPlayer.throttle, 0.0f);
}

}  // namespace
