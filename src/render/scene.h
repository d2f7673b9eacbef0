// render: the race's 3D picture: craft, track, sky, shadows, exhaust glow and shot.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "hud/overlay.h"
#include "images/bitmap.h"
#include "images/texture.h"
#include "models/model.h"
#include "race/race.h"

// Everything the frames need, prepared once while the window is created:
// the font, the models, the textures, the race's start, the lights. The
// same steps as readSceneFiles, placeCraftModels, startRace and buildScene.
void setupScene(const OverlayFaces& glyphs);

// What the scene reads from the data folder.
struct SceneFiles {
    std::optional<Model> player;
    std::optional<Model> opponent;
    std::array<std::unique_ptr<RgbImage>, TEXTURE_COUNT> textures;
};

// Reads the models and the textures' pictures saying nothing, on any thread:
// what cannot be read is left out, for readSceneFiles to read again.
SceneFiles readSceneFilesAhead();
// Completes files on the main thread in the order the game always read them
// (the player's craft, each texture, the opponents' craft): what was read
// ahead is taken, what was not is read now, and a file that cannot be had
// shows its box and ends the program as it always did.
void readSceneFiles(SceneFiles& files);
// Gives the player and every opponent their craft, before the race's start
// colours the opponents'.
void placeCraftModels(SceneFiles& files);
// The GL half, on whichever thread holds the context: the craft's display
// lists, the textures (each picture freed once uploaded), the font's lists,
// the lights. Reads the race lined up, draws nothing from rand.
void buildScene(SceneFiles& files, const OverlayFaces& glyphs);

// The player's and the opponents' craft read from the data folder, drawing
// nothing: all a race needs of them to run without a window.
void loadCraftModels();

// A race from the grid, the same at launch and for every race after: the
// race's start, then the opponents' display lists compiled in the colours it
// drew for them. Needs the models loaded and the context current.
void lineUpTheGrid(uint32_t seed = RACE_SEED, RaceMode mode = RaceMode::Race,
                   Difficulty difficulty = Difficulty::Normal);

// Puts the two lights in place for this frame, right after the camera.
void placeLights();
