#include "shell/window.h"

#include <SDL2/SDL.h>
#include <malloc.h>

#include <cstdio>
#include <string>

#include "assets/player_messages.h"
#include "audio/sound.h"
#include "input/gamepad.h"
#include "input/joystick.h"
#include "input/key_bindings.h"
#include "input/key_commands.h"
#include "input/key_state.h"
#include "input/key_watch.h"
#include "menu/pause_menu.h"
#include "menu/player_settings.h"
#include "race/camera.h"
#include "race/race.h"
#include "render/scene.h"
#include "screen/game_window.h"
#include "screen/quit_message.h"
#include "screen/scene_threads.h"
#include "screen/screenshot.h"
#include "screen/window_placement.h"
#include "session/final_stretch_aid.h"
#include "session/ghost.h"
#include "session/race_commands.h"
#include "session/race_recording.h"
#include "session/race_records.h"
#include "session/replay_watch.h"
#include "session/season.h"
#include "shell/draw_pacing.h"
#include "shell/frame_rate_meter.h"
#include "shell/game_frame.h"
#include "shell/loop_pacer.h"
#include "shell/options.h"
#include "shell/still_picture.h"
#include "trace/startup_trace.h"

namespace {
bool isAltEnter(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_RETURN &&
           (event.key.keysym.mod & KMOD_ALT) != 0;
}

// Held down, P would flicker the pause, M the map, G the ghost, R restart the race and N
// run through the circuits over and over; the pause and race-again actions wait
// whatever keys they are on.
bool isRepeatThatMustWait(const SDL_Event& event) {
    const int key = virtualKeyFromSdl(event.key.keysym.sym);
    return event.key.repeat != 0 &&
           (key == VK_P || key == VK_M || key == VK_G || key == VK_R || key == VK_N || key == VK_F);
}

// F12 saves a screenshot in the race, a replay and the menu alike, so it comes
// before the menu and is given to no action.
bool isScreenshotKey(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_F12;
}

// On a season's standings, Enter or a pad's A goes on to the next race.
bool standingsTakeEvent(const SDL_Event& event) {
    if (!standingsShow()) {
        return false;
    }
    const bool enter =
        event.type == SDL_KEYDOWN && event.key.repeat == 0 &&
        (event.key.keysym.sym == SDLK_RETURN || event.key.keysym.sym == SDLK_KP_ENTER) &&
        (event.key.keysym.mod & KMOD_ALT) == 0;
    const bool padA =
        event.type == SDL_CONTROLLERBUTTONDOWN && event.cbutton.button == SDL_CONTROLLER_BUTTON_A;
    if (enter || padA) {
        goOnFromTheStandings();
        return true;
    }
    return false;
}

bool isAboutTheGameWindow(const SDL_Event& event) {
    return gWindow != nullptr && event.window.windowID == SDL_GetWindowID(gWindow);
}
}  // namespace

void handleWindowEvent(const SDL_Event& event) {
    if (isScreenshotKey(event)) {
        if (event.key.repeat == 0) {
            requestScreenshot();  // taken when this frame is shown
        }
        return;
    }
    if (pauseMenuTakesEvent(event)) {
        return;
    }
    if (standingsTakeEvent(event)) {
        return;
    }
    if (handleGamepadEvent(event)) {
        return;
    }
    switch (event.type) {
        case SDL_KEYDOWN:
            if (isAltEnter(event)) {
                // Held down it would flicker between the two at the repeat rate.
                if (event.key.repeat == 0 && gWindow != nullptr) {
                    toggleWindowedAndDesktop(gWindow);
                    fitPictureToGameWindow();
                }
                break;
            }
            if (!isRepeatThatMustWait(event)) {
                onKeyDown(virtualKeyFromSdl(event.key.keysym.sym));
                if (gQuitRequested != 0) {
                    destroyGameWindow();  // Esc: the window closes at once
                }
            }
            break;
        case SDL_QUIT:
            destroyGameWindow();  // a close request from the window manager
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_EXPOSED:
                    if (gWindow != nullptr) {
                        drawGameFrame(1.0);  // the latest tick again: time moves only in ticks
                    }
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    fitPictureToGameWindow();
                    break;
                case SDL_WINDOWEVENT_CLOSE:
                    destroyGameWindow();
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    if (isAboutTheGameWindow(event)) {
                        pauseTheRace();  // the player is away; P brings them back
                    }
                    break;
                default:
                    break;
            }
            break;
        default:
            break;
    }
}

namespace {
// Everything but the display is put away. Closing the display would wait
// for the driver's shader cache to write what it has queued, on a thread at
// the lowest priority: on a busy machine, seconds after the window has gone.
// The process's end closes the connection without that wait (the driver
// drops what it had not written, and compiles it again next time), and the
// window and the desktop's mode are already given back.
void leaveTheDisplay() {
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK);
}

// Waiting on a still pause, the music's queue (two seconds) is topped up
// this often.
constexpr int STILL_WAKE_MS = 100;

bool isExposeEvent(const SDL_Event& event) {
    return event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED;
}

// SDL falls back to an invisible off-screen driver when no display is there;
// a game nobody can see is no success, unless that driver was asked for.
bool onAVisibleDisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) {
        return false;
    }
    const std::string name = driver;
    if (name != "offscreen" && name != "dummy") {
        return true;
    }
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    return requested != nullptr && name == requested;
}
}  // namespace

std::optional<int> runLoopTurn(LoopPacer& pacer, FrameRateMeter* meter, StillPicture* still) {
    // Every waiting event is handled before the frame: with paced frames,
    // one event a tick would leave Esc behind a queue of mouse motion.
    SDL_Event event;
    bool eventCame = false;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == quitMessageType()) {
            return event.user.code;
        }
        eventCame = true;
        // An exposed window is repainted by the frame drawn right after.
        if (!isExposeEvent(event)) {
            handleWindowEvent(event);
        }
    }
    if (gQuitRequested == 0 && still != nullptr && still->holds(raceIsPaused(), eventCame)) {
        updateMusicStream();
        // An event ends the wait and is left for the next turn.
        SDL_WaitEventTimeout(nullptr, STILL_WAKE_MS);
        pacer.skipTheTicksWaited();
        return std::nullopt;
    }
    const int dueTicks = pacer.takeDueTicks();
    for (int due = dueTicks; due > 0; --due) {
        runRaceTick();
    }
    keepTitleOnCircuit();
    keepPointerWithMenu();
    if (meter != nullptr) {
        meter->countTicks(dueTicks);
        setFrameRates(meter->framesPerSecond(), meter->ticksPerSecond());
    }
    drawGameFrame(pacer.drawBlend());
    if (still != nullptr) {
        still->drawn(raceIsPaused());
    }
    if (meter != nullptr) {
        meter->countFrame();
    }
    pacer.waitForNextDraw();
    if (gQuitRequested != 0) {
        return 0;
    }
    return std::nullopt;
}

int gameMain() {
    // One heap for every thread: with a heap of its own, each of the start-up
    // threads would keep what it freed (the pictures read ahead) for the race.
    mallopt(M_ARENA_MAX, 1);
    // Large blocks (the pictures read ahead, file buffers) are mapped on their
    // own and given back when freed, rather than left in the heap at its peak.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // Ready by the time the window is; a read never taken is waited for, so
    // it ends before the globals it reads do.
    startReadingAhead();
    struct DropUntaken {
        ~DropUntaken() { dropFilesReadAhead(); }
    } dropUntaken;
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "zentrix: cannot start the display: %s\n", SDL_GetError());
        return 1;
    }
    if (!onAVisibleDisplay()) {
        std::fprintf(stderr,
                     "zentrix: cannot start the display: no X11 or Wayland display found\n");
        SDL_Quit();
        return 1;
    }
    quitMessageType();
    loadRaceRecords();
    loadChampionships();
    keepReplays();
    startWatchingKeys();

    gDisplayChoice = displayChoiceThatFits(gDisplayChoice);
    if (openGameWindow(WindowContents::Game) == nullptr) {
        showMessageBox("Could not create window!", "Demo", BoxOwner::None, BoxIcon::Error);
        SDL_Quit();
        return 1;
    }
    applyPlayerSettings();  // the sound has started with the window
    if (watchingReplay()) {
        lineUpTheGrid(watchedSeed(), watchedMode(),
                      watchedDifficulty());  // the replay's own grid and colours
        watchFromTheStart();
    } else {
        lineUpTheFirstRace();  // the ghost's or pilot's runs use the race the scene lined up
        applyFinalStretchAid();
    }
    traceStartup("settings applied, the ghost and the grid");

    SteadyPacerClock clock;
    LoopPacer pacer(clock, RACE_TICKS_PER_SECOND, chooseDrawPacing(gWindow));
    traceStartup("draw pacing chosen");
    FrameRateMeter meter(clock);
    StillPicture still(clock);
    std::optional<int> exitCode;
    while (!exitCode) {
        exitCode = runLoopTurn(pacer, &meter, &still);
    }

    keepRecordedRace();  // Esc or the window closed: the last race run
    shutdownSound();
    closeAllGamepads();
    releaseJoystick();
    stopWatchingKeys();
    leaveTheDisplay();
    return *exitCode;
}
