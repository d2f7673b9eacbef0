// Writes the game's data folder from code: textures, the craft, the sounds.
//
//   assetgen DATA_DIR                 bitmaps, nau.ase and the WAV samples
//   assetgen --music-wav FILE         the race music as a 44.1 kHz stereo WAV
//   assetgen --preview DIR            front, side and top drawings of the craft
//   assetgen --icons DIR              the game's icon as DIR/hicolor/NxN/apps/zentrix.png

#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "ase_writer.h"
#include "bmp_writer.h"
#include "craft_model.h"
#include "craft_preview.h"
#include "icon.h"
#include "music.h"
#include "png_writer.h"
#include "sounds.h"
#include "textures.h"
#include "wav_writer.h"

using namespace assetgen;

namespace {

const int SKY_SIZE = 512;

bool makeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool saveBmp(const std::string& path, const Image& image) {
    if (!writeBmp24(path, image)) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool writeData(const std::string& dir) {
    if (!makeFolder(dir) || !makeFolder(dir + "/sky") || !makeFolder(dir + "/nums")) {
        std::fprintf(stderr, "assetgen: cannot make the folders under %s\n", dir.c_str());
        return false;
    }
    bool ok = true;
    ok = saveBmp(dir + "/pista.bmp", makeRoad()) && ok;
    ok = saveBmp(dir + "/lateralR.bmp", makeWall(true)) && ok;
    ok = saveBmp(dir + "/lateralL.bmp", makeWall(false)) && ok;
    ok = saveBmp(dir + "/flare.bmp", makeFlare()) && ok;
    ok = saveBmp(dir + "/ombra.bmp", makeShadow()) && ok;
    for (SkyFace face : {SkyFace::Front, SkyFace::Right, SkyFace::Back, SkyFace::Left, SkyFace::Top,
                         SkyFace::Bottom}) {
        ok = saveBmp(dir + "/sky/" + skyFaceName(face) + ".bmp", makeSkyFace(face, SKY_SIZE)) && ok;
    }
    for (int digit = 1; digit <= 6; ++digit) {
        ok = saveBmp(dir + "/nums/" + std::to_string(digit) + ".bmp", makeDigit(digit)) && ok;
    }

    std::ofstream ase(dir + "/nau.ase", std::ios::binary);
    ase << formatAse(makeCraft());
    ok = static_cast<bool>(ase) && ok;

    ok = writeWav16(dir + "/jet.wav", makeEngineHum(), EFFECT_SAMPLE_RATE, 1) && ok;
    ok = writeWav16(dir + "/xoc.wav", makeCrash(), EFFECT_SAMPLE_RATE, 1) && ok;
    ok = writeWav16(dir + "/exp.wav", makeShot(), EFFECT_SAMPLE_RATE, 1) && ok;
    if (!ok) {
        std::fprintf(stderr, "assetgen: some files under %s were not written\n", dir.c_str());
    }
    return ok;
}

bool writePreview(const std::string& dir) {
    if (!makeFolder(dir)) {
        return false;
    }
    CraftModel craft = makeCraft();
    return saveBmp(dir + "/craft-front.bmp", renderCraftView(craft, CraftView::Front, 256)) &&
           saveBmp(dir + "/craft-side.bmp", renderCraftView(craft, CraftView::Side, 256)) &&
           saveBmp(dir + "/craft-top.bmp", renderCraftView(craft, CraftView::Top, 256));
}

// The desktop's icon theme layout, so the folder installs as it stands.
bool writeIcons(const std::string& dir) {
    const std::string theme = dir + "/hicolor";
    if (!makeFolder(dir) || !makeFolder(theme)) {
        return false;
    }
    for (int size : ICON_SIZES) {
        const std::string sizeDir = theme + "/" + std::to_string(size) + "x" + std::to_string(size);
        const std::string path = sizeDir + "/apps/zentrix.png";
        if (!makeFolder(sizeDir) || !makeFolder(sizeDir + "/apps") ||
            !writePngRgba(path, makeIcon(size))) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

int usage() {
    std::fprintf(stderr,
                 "usage: assetgen DATA_DIR\n"
                 "       assetgen --music-wav FILE\n"
                 "       assetgen --preview DIR\n"
                 "       assetgen --icons DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        return usage();
    }
    if (argc == 2) {
        return writeData(argv[1]) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "--music-wav") == 0) {
        return writeWav16(argv[2], makeMusic(), MUSIC_SAMPLE_RATE, 2) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "--preview") == 0) {
        return writePreview(argv[2]) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "--icons") == 0) {
        return writeIcons(argv[2]) ? 0 : 1;
    }
    return usage();
}
