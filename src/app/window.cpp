#include "app/window.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/display.h"
#include "app/frame_pacer.h"
#include "app/game_frame.h"
#include "app/joystick.h"
#include "app/key_state.h"
#include "app/platform.h"
#include "audio/sound.h"
#include "race/camera.h"
#include "race/lap_clock.h"
#include "render/scene.h"

namespace {
Uint32 gQuitMessageType = 0;

// Sees every event as SDL pumps it, however many the loop removes per turn,
// which is what the asynchronous key state needs.
int watchKeys(void*, SDL_Event* event) {
    if (event->type == SDL_KEYDOWN) {
        recordKeyDown(virtualKeyFromSdl(event->key.keysym.sym));
    } else if (event->type == SDL_KEYUP) {
        recordKeyUp(virtualKeyFromSdl(event->key.keysym.sym));
    } else if (event->type == SDL_WINDOWEVENT &&
               event->window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        releaseAllKeys();  // no key stays stuck down after switching away
    }
    return 1;
}

SDL_Window* createGameWindow() {
    SDL_Window* window =
        SDL_CreateWindow("Zentrix", 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT,
                         SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (window == nullptr) {
        std::fprintf(stderr, "zentrix: cannot create the window: %s\n", SDL_GetError());
        return nullptr;
    }
    applyDisplayMode(window);
    if (!onWindowCreate(window)) {
        SDL_DestroyWindow(window);
        return nullptr;
    }
    return window;
}
}  // namespace

uint32_t quitMessageType() {
    if (gQuitMessageType == 0) {
        gQuitMessageType = SDL_RegisterEvents(1);
    }
    return gQuitMessageType;
}

void postQuitMessage(int exitCode) {
    SDL_Event quit{};
    quit.type = quitMessageType();
    quit.user.code = exitCode;
    SDL_PushEvent(&quit);
}

int virtualKeyFromSdl(int32_t sdlKeycode) {
    switch (sdlKeycode) {
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_c:
            return VK_C;
        case SDLK_v:
            return VK_V;
        default:
            return 0;
    }
}

void onKeyDown(int virtualKey) {
    switch (virtualKey) {
        case VK_ESCAPE:
            destroyGameWindow();
            gQuitRequested = 1;
            break;
        case VK_C:
            gCameraMode = (gCameraMode + 1) % 7;
            break;
        case VK_V:
            gCockpitView = gCockpitView == 1 ? 0 : 1;
            break;
        default:
            break;
    }
}

bool onWindowCreate(SDL_Window* window) {
    gDeviceContext = window;
    gPalette = setupPalette(gDeviceContext);
    gRenderContext = SDL_GL_CreateContext(window);
    if (gRenderContext == nullptr) {
        std::fprintf(stderr, "zentrix: cannot create an OpenGL context: %s\n", SDL_GetError());
        gDeviceContext = nullptr;
        return false;
    }
    SDL_GL_MakeCurrent(window, gRenderContext);
    // The pacer sets the rhythm; waiting for the display's refresh as well would fight it.
    SDL_GL_SetSwapInterval(0);
    SDL_ShowCursor(SDL_DISABLE);
    initGlState();
    setupScene();
    if (gJoystickState == nullptr) {
        gJoystickState = new JoystickState();
    }
    if (startSound(window) == 0) {
        return true;  // no sound: the joystick is not captured either
    }
    if (captureJoystick() == JOYERR_NOERROR) {
        gUseJoystick = 0;
    }
    return true;
}

void destroyGameWindow() {
    if (gWindow == nullptr) {
        return;
    }
    SDL_GL_MakeCurrent(gWindow, nullptr);
    SDL_GL_DeleteContext(gRenderContext);
    gRenderContext = nullptr;
    gPalette = nullptr;
    gDeviceContext = nullptr;
    // Leaving fullscreen and destroying the window give the desktop its mode back.
    SDL_SetWindowFullscreen(gWindow, 0);
    SDL_DestroyWindow(gWindow);
    gWindow = nullptr;
    SDL_ShowCursor(SDL_ENABLE);
    postQuitMessage(0);
}

void handleWindowEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
            onKeyDown(virtualKeyFromSdl(event.key.keysym.sym));
            break;
        case SDL_QUIT:
            destroyGameWindow();  // a close request from the window manager
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_EXPOSED:
                    if (gWindow != nullptr) {
                        renderFrame();
                    }
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    if (gWindow != nullptr) {
                        resizeViewport(event.window.data1, event.window.data2);
                    }
                    break;
                case SDL_WINDOWEVENT_CLOSE:
                    destroyGameWindow();
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

int gameMain() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0) {
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
    LapClock::setSource(platformMilliseconds);
    SDL_AddEventWatch(watchKeys, nullptr);

    if (setDisplayMode() == 0) {
        showMessageBox("Could not set satisfactory screen resolution!", "Demo", BoxOwner::None,
                       BoxIcon::Error);
        postQuitMessage(1);  // the game ends without racing: no success
    }
    setupPixelFormat();
    gWindow = createGameWindow();
    if (gWindow == nullptr) {
        showMessageBox("Could not create window!", "Demo", BoxOwner::None, BoxIcon::Error);
        SDL_Quit();
        return 1;
    }
    resizeViewport(SCREEN_WIDTH, SCREEN_HEIGHT);
    SDL_ShowWindow(gWindow);

    SteadyPacerClock clock;
    FramePacer pacer(clock, GAME_TICKS_PER_SECOND);
    int exitCode = 0;
    bool quitMessageSeen = false;
    while (gQuitRequested == 0 && !quitMessageSeen) {
        // Every waiting event is handled before the frame: with paced frames,
        // one event a tick would leave Esc behind a queue of mouse motion.
        SDL_Event event;
        while (!quitMessageSeen && SDL_PollEvent(&event) != 0) {
            if (event.type == quitMessageType()) {
                exitCode = event.user.code;
                quitMessageSeen = true;
            } else if (!isExposeEvent(event)) {
                handleWindowEvent(event);
            }
            // An exposed window is repainted by the frame drawn right after.
        }
        if (quitMessageSeen) {
            break;
        }
        renderFrame();
        pacer.waitForNextTick();
    }

    shutdownSound();
    releaseJoystick();
    SDL_DelEventWatch(watchKeys, nullptr);
    SDL_Quit();
    return exitCode;
}
