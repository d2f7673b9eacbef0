#include "render/craft_draw.h"

#include <GL/gl.h>

#include "craft/opponent.h"
#include "craft/player.h"
#include "models/palette.h"
#include "race/race_pose.h"
#include "track/track.h"

namespace {
// Brings the model file's own axes round to the game's before the heading turn.
constexpr float MODEL_BASE_TURN = 90.0f;
constexpr GLfloat GHOST_GLOW[4] = {0.45f, 0.6f, 0.9f, 1.0f};
constexpr GLfloat NO_GLOW[4] = {0.0f, 0.0f, 0.0f, 1.0f};
// How brightly an opponent glows in its own colour.
constexpr float OPPONENT_GLOW = 0.4f;

float degrees(double radians) {
    return static_cast<float>(radians * 180.0 / GAME_PI);
}

void translateTo(const Vector3& p) {
    glTranslatef(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}

void turnToCraftFrame(float yaw, float yawRate) {
    glScalef(CRAFT_SCALE, CRAFT_SCALE, CRAFT_SCALE);
    glRotatef(MODEL_BASE_TURN, 0.0f, 1.0f, 0.0f);
    glRotatef(degrees(-static_cast<double>(yaw)), 0.0f, 1.0f, 0.0f);
    // The craft banks with its turn.
    glRotatef(static_cast<float>(CRAFT_BANK_PER_YAW_RATE * yawRate), 0.0f, 0.0f, 1.0f);
}
}  // namespace

void turnToPlayerCraftFrame(const Player& player) {
    turnToCraftFrame(player.yaw, player.yawRate);
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

void drawGhostCraft(const CraftPose& pose, const Player& player) {
    glPushMatrix();
    translateTo(pose.position);
    turnToCraftFrame(pose.yaw, pose.yawRate);
    // First its depth alone, then its colour over only the faces that won:
    // the far side never shows through the near one.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    player.model.drawModel();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    // The model's colours are opaque; the blend colour's alpha sees through them.
    glBlendColor(0.0f, 0.0f, 0.0f, GHOST_OPACITY);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    // A pale blue glow of its own, so the dark craft reads over the dark road.
    glMaterialfv(GL_FRONT, GL_EMISSION, GHOST_GLOW);
    player.model.drawModel();
    glMaterialfv(GL_FRONT, GL_EMISSION, NO_GLOW);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthFunc(GL_LESS);
    glPopMatrix();
}

void drawOpponentCraft(const Opponent& opponent, int32_t color) {
    glPushMatrix();
    applyColorAlpha(color, 1.0f);
    // Lit by the player's blue riding light, every craft's own colours look
    // the same dark blue: each glows faintly in its colour on the map.
    const Rgba own = lookupColor(color);
    const GLfloat glow[4] = {own[0] * OPPONENT_GLOW, own[1] * OPPONENT_GLOW, own[2] * OPPONENT_GLOW,
                             1.0f};
    glMaterialfv(GL_FRONT, GL_EMISSION, glow);
    translateTo(opponent.position);
    glScalef(CRAFT_SCALE, CRAFT_SCALE, CRAFT_SCALE);
    // Opponents always face along the track, whatever their weave.
    glRotatef(degrees(gTrack.heading(opponent.lambda)), 0.0f, 1.0f, 0.0f);
    opponent.model.drawModel();
    glMaterialfv(GL_FRONT, GL_EMISSION, NO_GLOW);
    glPopMatrix();
}
