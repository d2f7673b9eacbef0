// The memory floor under the game: what any textured, lit game with sound
// must hold. It opens the game's window (as bare_window does), uploads the
// game's seventeen bitmaps the way the game does, plays one looping sound
// through an OpenAL context made as the game makes its own, and draws lit,
// blended quads with every texture at 60 Hz until it is told to stop.
// startup_bench holds the game's peak memory against it.
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/efx.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL2/SDL.h>
#include <sndfile.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "floor_window.h"
#include "images/bmp_decoder.h"
#include "images/texture_ids.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr const char* LOOP_FILE = "data/jet.wav";
constexpr int GRID_COLUMNS = 6;
constexpr int GRID_ROWS = 3;
constexpr auto FRAME_TIME = std::chrono::microseconds(1000000 / 60);

volatile std::sig_atomic_t gStop = 0;

void stop(int) {
    gStop = 1;
}

bool fail(const char* what) {
    std::fprintf(stderr, "full_floor: %s\n", what);
    return false;
}

bool isPowerOfTwo(int32_t n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// As the game uploads a texture: the base level alone for power-of-two sides,
// a mipmap chain scaled to a power of two otherwise; three components, linear.
void upload(const RgbImage& image, bool clamp) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, image.width % 4 != 0 ? 1 : 4);
    if (isPowerOfTwo(image.width) && isPowerOfTwo(image.height)) {
        glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     image.pixels.data());
    } else {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                          image.pixels.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (clamp) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// The game's own decoder, so the texels are the game's to the byte.
bool readBitmap(const char* path, RgbImage& image) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                     std::istreambuf_iterator<char>()};
    return !bytes.empty() && decodeBitmap(bytes.data(), bytes.size(), image) == BitmapError::None;
}

// Each bitmap is let go once uploaded: the driver keeps its own copy.
bool uploadTextures(std::array<GLuint, TEXTURE_FILES.size()>& names) {
    glGenTextures(static_cast<GLsizei>(names.size()), names.data());
    for (size_t i = 0; i < names.size(); ++i) {
        RgbImage image;
        if (!readBitmap(TEXTURE_FILES[i], image)) {
            std::fprintf(stderr, "full_floor: cannot read %s\n", TEXTURE_FILES[i]);
            return false;
        }
        glBindTexture(GL_TEXTURE_2D, names[i]);
        upload(image, textureClampsAtEdges(static_cast<int>(i)));
    }
    return true;
}

// The whole sound as 16-bit mono, folded down as the game folds its effects.
bool readMonoSound(const char* path, std::vector<int16_t>& samples, int& rate) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (file == nullptr) {
        return false;
    }
    std::vector<int16_t> frames(static_cast<size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_short(file, frames.data(), info.frames);
    sf_close(file);
    samples.assign(static_cast<size_t>(read), 0);
    for (size_t f = 0; f < samples.size(); ++f) {
        int sum = 0;
        for (int c = 0; c < info.channels; ++c) {
            sum += frames[f * static_cast<size_t>(info.channels) + static_cast<size_t>(c)];
        }
        samples[f] = static_cast<int16_t>(sum / info.channels);
    }
    rate = info.samplerate;
    return read > 0;
}

struct Sound {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    ALuint buffer = 0;
    ALuint source = 0;
};

// The default device, with the context attributes the game asks for (no
// effect sends), and one buffer looping on one source.
bool startLoop(Sound& sound) {
    sound.device = alcOpenDevice(nullptr);
    if (sound.device == nullptr) {
        return fail("cannot open the sound device");
    }
    const ALCint attributes[] = {ALC_MAX_AUXILIARY_SENDS, 0, 0};
    sound.context = alcCreateContext(sound.device, attributes);
    if (sound.context == nullptr || alcMakeContextCurrent(sound.context) == ALC_FALSE) {
        return fail("cannot make the sound context");
    }
    std::vector<int16_t> samples;
    int rate = 0;
    if (!readMonoSound(LOOP_FILE, samples, rate)) {
        return fail("cannot read data/jet.wav");
    }
    alGenBuffers(1, &sound.buffer);
    alBufferData(sound.buffer, AL_FORMAT_MONO16, samples.data(),
                 static_cast<ALsizei>(samples.size() * sizeof(int16_t)), rate);
    alGenSources(1, &sound.source);
    alSourcei(sound.source, AL_BUFFER, static_cast<ALint>(sound.buffer));
    alSourcei(sound.source, AL_LOOPING, AL_TRUE);
    alSourcePlay(sound.source);
    return alGetError() == AL_NO_ERROR || fail("cannot play the loop");
}

void stopLoop(Sound& sound) {
    if (sound.source != 0) {
        alSourceStop(sound.source);
        alDeleteSources(1, &sound.source);
        alDeleteBuffers(1, &sound.buffer);
    }
    alcMakeContextCurrent(nullptr);
    if (sound.context != nullptr) {
        alcDestroyContext(sound.context);
    }
    if (sound.device != nullptr) {
        alcCloseDevice(sound.device);
    }
}

// Two lights, as the game has: a coloured point light and white from afar.
void setupLightsAndBlending() {
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    const GLfloat blue[4] = {0.4f, 0.5f, 1.0f, 1.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, blue);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 1.0, 0.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// One see-through, lit quad per texture, in a grid over the whole screen.
void drawFrame(const std::array<GLuint, TEXTURE_FILES.size()>& names) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const GLfloat riding[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat overhead[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, riding);
    glLightfv(GL_LIGHT1, GL_POSITION, overhead);
    const GLfloat material[4] = {0.8f, 0.8f, 0.8f, 0.85f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, material);
    const float w = 1.0f / GRID_COLUMNS;
    const float h = 1.0f / GRID_ROWS;
    for (size_t i = 0; i < names.size(); ++i) {
        const float x = static_cast<float>(i % GRID_COLUMNS) * w;
        const float y = static_cast<float>(i / GRID_COLUMNS) * h;
        glBindTexture(GL_TEXTURE_2D, names[i]);
        glBegin(GL_QUADS);
        glNormal3f(0.0f, 0.0f, 1.0f);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(x, y);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(x + w, y);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(x + w, y + h);
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(x, y + h);
        glEnd();
    }
}

// Swaps wait for the display where the driver offers it; either way no frame
// comes sooner than 1/60 s after the one before.
void drawUntilStopped(SDL_Window* window, const std::array<GLuint, TEXTURE_FILES.size()>& names) {
    if (SDL_GL_SetSwapInterval(1) != 0) {
        SDL_GL_SetSwapInterval(0);
    }
    Clock::time_point next = Clock::now();
    while (gStop == 0) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            if (event.type == SDL_QUIT) {
                gStop = 1;
            }
        }
        drawFrame(names);
        SDL_GL_SwapWindow(window);
        next = std::max(next + FRAME_TIME, Clock::now());
        std::this_thread::sleep_until(next);
    }
}

bool run() {
    SDL_Window* window = openFloorWindow("full floor");
    if (window == nullptr) {
        return fail(SDL_GetError());
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return fail(SDL_GetError());
    }
    std::array<GLuint, TEXTURE_FILES.size()> names{};
    Sound sound;
    const bool ready = uploadTextures(names) && startLoop(sound);
    if (ready) {
        setupLightsAndBlending();
        SDL_ShowWindow(window);
        drawUntilStopped(window, names);
    }
    stopLoop(sound);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    return ready;
}
}  // namespace

int main() {
    std::signal(SIGTERM, stop);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fail(SDL_GetError());
        return 1;
    }
    const bool ran = run();
    SDL_Quit();
    return ran ? 0 : 1;
}
