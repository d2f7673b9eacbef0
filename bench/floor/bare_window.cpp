// The floor under the game's start-up: a bare SDL2 program that opens the
// game's window (the same GL attributes and window flags, switched to the
// same 1024 x 768 full screen) and shows a grey frame, then keeps showing it
// until it is told to stop. startup_bench times it beside the game.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <csignal>

#include "floor_window.h"

namespace {
volatile std::sig_atomic_t gStop = 0;

void stop(int) {
    gStop = 1;
}
}  // namespace

int main() {
    std::signal(SIGTERM, stop);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    SDL_Window* window = openFloorWindow("bare window");
    if (window == nullptr) {
        return 1;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return 1;
    }
    SDL_GL_SetSwapInterval(0);
    SDL_ShowWindow(window);
    while (gStop == 0) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            if (event.type == SDL_QUIT) {
                gStop = 1;
            }
        }
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
        SDL_Delay(16);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
