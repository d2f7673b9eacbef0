#include "render/track_draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "images/texture.h"
#include "images/texture_ids.h"
#include "models/palette.h"
#include "track/track.h"
#include "track/track_geometry.h"

namespace {
void vertex(const Vector3& v) {
    glVertex3f(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

void bindTexture(int index) {
    glBindTexture(GL_TEXTURE_2D, gTextures[index]);
}

void drawStartPosts(const Track& track, const Vector3& viewer) {
    const StartPosts posts = startPostPositions(track);
    // Both posts take their detail from the distance to the first one.
    const float d = static_cast<float>(viewer.distanceTo(posts.a));
    for (const Vector3& post : {posts.a, posts.b}) {
        glPushMatrix();
        applyColor(COLOR_WHITE);
        glTranslatef(static_cast<float>(post.x), static_cast<float>(post.y),
                     static_cast<float>(post.z));
        drawMarkerSphere(d, START_POST_RADIUS);
        glPopMatrix();
    }
}
}  // namespace

void drawTexturedQuad(Vector3 c1, Vector3 c2, Vector3 c3, Vector3 c4, Vector3 normal) {
    glEnable(GL_TEXTURE_2D);
    glNormal3f(static_cast<float>(normal.x), static_cast<float>(normal.y),
               static_cast<float>(normal.z));
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    vertex(c1);
    glTexCoord2f(0.0f, 0.0f);
    vertex(c2);
    glTexCoord2f(1.0f, 0.0f);
    vertex(c3);
    glTexCoord2f(1.0f, 1.0f);
    vertex(c4);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void drawMarkerSphere(float distance, float radius) {
    const int detail = markerSphereDetail(distance);
    if (detail == 0) {
        return;
    }
    GLUquadric* quadric = gluNewQuadric();
    if (quadric == nullptr) {
        return;
    }
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluSphere(quadric, radius, detail, detail);
    gluDeleteQuadric(quadric);
}

void drawTrack(const Track& track, const Vector3& viewer, double viewerLambda) {
    // Road, walls and posts are opaque (alpha 1 throughout), so blending would
    // change no pixel; it is left off while they fill most of the screen.
    const GLboolean blending = glIsEnabled(GL_BLEND);
    glDisable(GL_BLEND);
    // Walls are lit as if they faced up, like the road.
    const Vector3 up(0.0, 1.0, 0.0);
    for (const TrackSegment& segment : visibleSegments(track, viewerLambda)) {
        if (segment.index == 0) {
            drawStartPosts(track, viewer);
        }
        const SegmentCorners k = segmentCorners(track, segment);

        bindTexture(TEX_ROAD);
        applyColorAlpha(COLOR_LIGHT_GREY, 1.0f);
        drawTexturedQuad(k.farLeft, k.farRight, k.nearRight, k.nearLeft, up);

        bindTexture(TEX_WALL_RIGHT);
        applyColorAlpha(COLOR_LIGHT_GREY, 1.0f);
        drawTexturedQuad(k.rightTopNear, k.nearRight, k.farRight, k.rightTopFar, up);

        bindTexture(TEX_WALL_LEFT);
        applyColorAlpha(COLOR_LIGHT_GREY, 1.0f);
        drawTexturedQuad(k.leftTopFar, k.farLeft, k.nearLeft, k.leftTopNear, up);
    }
    if (blending == GL_TRUE) {
        glEnable(GL_BLEND);
    }
}
