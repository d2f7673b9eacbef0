#include "render/craft_draw.h"

#include <GL/gl.h>

#include "craft/opponent.h"
#include "craft/player.h"
#include "models/palette.h"
#include "track/track.h"

namespace {
// Brings the model file's own axes round to the game's before the heading turn.
constexpr float MODEL_BASE_TURN = 90.0f;

float degrees(double radians) {
    return static_cast<float>(radians * 180.0 / GAME_PI);
}

void translateTo(const Vector3& p) {
    glTranslatef(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}
}  // namespace

void turnToPlayerCraftFrame(const Player& player) {
    glScalef(CRAFT_SCALE, CRAFT_SCALE, CRAFT_SCALE);
    glRotatef(MODEL_BASE_TURN, 0.0f, 1.0f, 0.0f);
    glRotatef(degrees(-static_cast<double>(player.yaw)), 0.0f, 1.0f, 0.0f);
    // The craft banks with its turn.
    glRotatef(static_cast<float>(CRAFT_BANK_PER_YAW_RATE * player.yawRate), 0.0f, 0.0f, 1.0f);
}

void drawPlayerCraft(const Player& player, bool visible) {
    glPushMatrix();
    translateTo(player.position);
    turnToPlayerCraftFrame(player);
    if (visible) {
        player.model.drawModel();
    }
    glPopMatrix();
}

void drawOpponentCraft(const Opponent& opponent, int32_t color) {
    glPushMatrix();
    applyColorAlpha(color, 1.0f);
    translateTo(opponent.position);
    glScalef(CRAFT_SCALE, CRAFT_SCALE, CRAFT_SCALE);
    // Opponents always face along the track, whatever their weave.
    glRotatef(degrees(gTrack.heading(opponent.lambda)), 0.0f, 1.0f, 0.0f);
    opponent.model.drawModel();
    glPopMatrix();
}
