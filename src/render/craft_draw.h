#pragma once

#include <cstdint>

struct CraftPose;
struct Opponent;
struct Player;

// Size of the craft model in the world, for the player and the opponents alike.
constexpr float CRAFT_SCALE = 0.15f;
// Degrees of bank per radian per frame of the player's turn.
constexpr double CRAFT_BANK_PER_YAW_RATE = 2000.0;

// The player's craft at its place, turned to its heading and banked with its
// turn; only the transform when it is hidden (the cockpit view).
void drawPlayerCraft(const Player& player, bool visible);

// Scales and turns the current matrix into the player's craft's own frame, as
// its model is drawn; the caller has translated to the craft already.
void turnToPlayerCraftFrame(const Player& player);

// The ghost: the player's craft at the pose given, see-through at this
// opacity, showing only its nearest faces; it leaves no shadow.
void drawGhostCraft(const CraftPose& pose, const Player& player);
constexpr float GHOST_OPACITY = 0.4f;

// An opponent in its colour (a ColorCode), facing along the track.
void drawOpponentCraft(const Opponent& opponent, int32_t color);
