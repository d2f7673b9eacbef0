#include "render/scene.h"

#include <GL/gl.h>

#include <string>

#include "assets/data_dir.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "hud/overlay.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "models/opponent_craft.h"
#include "models/palette.h"
#include "race/race.h"
#include "trace/startup_trace.h"

namespace {
constexpr const char* PLAYER_MODEL_FILE = "data/nau.ase";
constexpr const char* OPPONENT_MODEL_FILE = "data/nau.ASE";
constexpr uint32_t PLAYER_DISPLAY_LIST = 128;
constexpr uint32_t FIRST_OPPONENT_DISPLAY_LIST = 129;
// Light 0 rides this far above the player's craft.
constexpr double RIDING_LIGHT_HEIGHT = 100.0;

void loadTextures() {
    for (int index = 0; index < TEXTURE_COUNT; ++index) {
        const TextureEdges edges =
            textureClampsAtEdges(index) ? TextureEdges::Clamp : TextureEdges::Repeat;
        loadTexture(gTextures, dataPath(TEXTURE_FILES[static_cast<size_t>(index)]), index, edges);
        traceStartup(std::string("texture ") + TEXTURE_FILES[static_cast<size_t>(index)]);
    }
}

// Every opponent holds its own copy of the craft, coloured by the race start;
// the file is read once for all of them, or not at all when it is the player's.
void loadOpponentModels() {
    const Model craft =
        opponentCraft(dataPath(OPPONENT_MODEL_FILE), gPlayer.model, dataPath(PLAYER_MODEL_FILE));
    for (Opponent& opponent : gOpponents) {
        opponent.model.objectCount = craft.objectCount;
        opponent.model.objects = craft.objects;
    }
}

void compileOpponentModels() {
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        gOpponents[i].model.buildDisplayList(FIRST_OPPONENT_DISPLAY_LIST +
                                             static_cast<uint32_t>(i));
    }
}

void setupLights() {
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    const Rgba blue = lookupColor(COLOR_BLUE);
    const Rgba white = lookupColor(COLOR_WHITE);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, blue.data());
    glLightfv(GL_LIGHT1, GL_DIFFUSE, white.data());
    glEnable(GL_LIGHTING);
}
}  // namespace

void setupScene(const OverlayFaces& glyphs) {
    gPlayer.model.loadAse(dataPath(PLAYER_MODEL_FILE));
    gPlayer.model.buildDisplayList(PLAYER_DISPLAY_LIST);
    traceStartup("player's model");
    loadTextures();
    loadOpponentModels();
    lineUpTheGrid();
    traceStartup("opponents' models, the grid");
    // The craft's lists have fixed numbers; made after them, the font's lists
    // are given numbers clear of theirs.
    createOverlayFont(glyphs);
    traceStartup("font lists");
    setupLights();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void loadCraftModels() {
    gPlayer.model.loadAse(dataPath(PLAYER_MODEL_FILE));
    loadOpponentModels();
}

void lineUpTheGrid(uint32_t seed) {
    startRace(seed);
    compileOpponentModels();
}

void placeLights() {
    const Vector3& p = gPlayer.position;
    const GLfloat riding[4] = {static_cast<float>(p.x),
                               static_cast<float>(p.y + RIDING_LIGHT_HEIGHT),
                               static_cast<float>(p.z), 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, riding);
    // w = 0: a direction, straight down on the whole scene.
    const GLfloat overhead[4] = {0.0f, 1000.0f, 0.0f, 0.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, overhead);
}
