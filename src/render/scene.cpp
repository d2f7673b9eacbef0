#include "render/scene.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "assets/data_dir.h"
#include "assets/file_lookup.h"
#include "assets/player_messages.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "hud/overlay.h"
#include "images/bitmap_file.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "models/ase_loader.h"
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

std::string textureFile(int index) {
    return dataPath(TEXTURE_FILES[static_cast<size_t>(index)]);
}

void uploadTextures(SceneFiles& files) {
    for (int index = 0; index < TEXTURE_COUNT; ++index) {
        const TextureEdges edges =
            textureClampsAtEdges(index) ? TextureEdges::Clamp : TextureEdges::Repeat;
        std::unique_ptr<RgbImage>& image = files.textures[static_cast<size_t>(index)];
        uploadTexture(gTextures, *image, index, edges);
        image.reset();  // the driver keeps its own copy
        traceStartup(std::string("texture ") + TEXTURE_FILES[static_cast<size_t>(index)]);
    }
}

// Every opponent holds its own copy of the craft, coloured by the race start.
void giveOpponentsCraft(const Model& craft) {
    for (Opponent& opponent : gOpponents) {
        opponent.model.objectCount = craft.objectCount;
        opponent.model.objects = craft.objects;
    }
}

// The file is read once for all of them, or not at all when it is the player's.
Model readOpponentCraft(const Model& player) {
    return opponentCraft(dataPath(OPPONENT_MODEL_FILE), player, dataPath(PLAYER_MODEL_FILE));
}

void compileOpponentModels() {
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        // Painted in the colour of its dot on the map, so each can be told
        // apart in the picture as well.
        gOpponents[i].model.buildDisplayList(FIRST_OPPONENT_DISPLAY_LIST + static_cast<uint32_t>(i),
                                             lookupColor(COLOR_BLUE + i));
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
    SceneFiles files;
    readSceneFiles(files);
    placeCraftModels(files);
    startRace(RACE_SEED);
    buildScene(files, glyphs);
}

SceneFiles readSceneFilesAhead() {
    SceneFiles files;
    Model player;
    if (tryLoadAse(player, dataPath(PLAYER_MODEL_FILE)) == AseLoadResult::Loaded) {
        files.player = std::move(player);
    }
    // As the textures' budget will: no more is held than the game would take.
    uint64_t left = MAX_TEXTURE_BYTES;
    for (int index = 0; index < TEXTURE_COUNT && files.player; ++index) {
        std::unique_ptr<RgbImage> image =
            readBitmapRgb(textureFile(index), std::min(MAX_BITMAP_BYTES, left));
        if (!image) {
            break;  // the game ends at this one, after its box
        }
        left -= image->pixels.size();
        files.textures[static_cast<size_t>(index)] = std::move(image);
    }
    const std::string opponentFile = dataPath(OPPONENT_MODEL_FILE);
    Model opponent;
    if (findFileIgnoringCase(opponentFile) != findFileIgnoringCase(dataPath(PLAYER_MODEL_FILE)) &&
        tryLoadAse(opponent, opponentFile) == AseLoadResult::Loaded) {
        files.opponent = std::move(opponent);
    }
    return files;
}

void readSceneFiles(SceneFiles& files) {
    if (!files.player) {
        files.player.emplace();
        files.player->loadAse(dataPath(PLAYER_MODEL_FILE));
    }
    traceStartup("player's model");
    for (int index = 0; index < TEXTURE_COUNT; ++index) {
        std::unique_ptr<RgbImage>& image = files.textures[static_cast<size_t>(index)];
        image = takeTextureBitmap(std::move(image), textureFile(index));
        if (!image) {
            endProgram(1);  // the loader has already said why
        }
    }
    traceStartup("textures read");
    if (!files.opponent) {
        files.opponent = readOpponentCraft(*files.player);
    }
    traceStartup("opponents' models");
}

void placeCraftModels(SceneFiles& files) {
    gPlayer.model.objectCount = files.player->objectCount;
    gPlayer.model.objects = std::move(files.player->objects);
    giveOpponentsCraft(*files.opponent);
}

void buildScene(SceneFiles& files, const OverlayFaces& glyphs) {
    gPlayer.model.buildDisplayList(PLAYER_DISPLAY_LIST);
    uploadTextures(files);
    compileOpponentModels();
    traceStartup("the craft's lists");
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
    giveOpponentsCraft(readOpponentCraft(gPlayer.model));
}

void lineUpTheGrid(uint32_t seed, RaceMode mode, Difficulty difficulty) {
    startRace(seed, mode, difficulty);
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
