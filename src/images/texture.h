// images: bitmaps decoded from their files and uploaded as the game's textures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "images/bitmap.h"

// loadBitmapRgb for a texture: a picture that would take the textures loaded
// so far past MAX_TEXTURE_BYTES fails like any picture too large, and one that
// loads is counted.
std::unique_ptr<RgbImage> loadTextureBitmap(const std::string& path);
// A picture read ahead by readBitmapRgb (null where it could not be) taken as
// the next texture: counted like loadTextureBitmap's when it fits what the
// textures may still take; otherwise loadTextureBitmap reads the file again
// and says why it cannot be had.
std::unique_ptr<RgbImage> takeTextureBitmap(std::unique_ptr<RgbImage> readAhead,
                                            const std::string& path);
uint64_t textureBytesLoaded();
// Forgets every texture counted so far, so tests can load many.
void resetTextureBytesLoaded();

constexpr int TEXTURE_COUNT = 17;
extern uint32_t gTextures[TEXTURE_COUNT];

// How a texture meets its edges: the sky's faces clamp, so no seam shows
// where two faces meet; everything else repeats.
enum class TextureEdges { Repeat, Clamp };

// Loads path into a new texture stored at table[index], linear filtered, with
// no smaller levels unless its sides are not powers of two; a bitmap that
// cannot be loaded ends the program with exit status 1 after its box.
void loadTexture(uint32_t* table, const std::string& path, int index,
                 TextureEdges edges = TextureEdges::Repeat);
// The upload alone, of a picture already read.
void uploadTexture(uint32_t* table, const RgbImage& image, int index,
                   TextureEdges edges = TextureEdges::Repeat);
