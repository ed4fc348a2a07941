// How the Scene draws: its state for each pass, the buttons, the logo and the
// feedback square. The Renderer decides how often and how clipped and mirrored.
#include <GL/gl.h>

#include <cmath>

#include "render/renderer.h"
#include "scene/scene.h"

// The camera stands 5.5 from the plane, so the plane shows 5.5 either side of the centre
// along the view's shorter side. Landscape views keep the logo where it always was; a
// portrait one brings it in from the sides, 0.5 from the edges like the bottom margin.
Vec3 LogoCentre(float aspect) {
    Vec3 centre;
    if (aspect >= 1.0f || aspect <= 0.0f) {
        centre.set(5.0f, -5.0f, 0.0f);
    } else {
        centre.set(5.5f - 0.5f - 2.0f, -5.5f / aspect + 0.5f, 0.0f);
    }
    return centre;
}

namespace {

// Logo lettering fixed in the lower right, faint, pulsing with a period of 20*pi s.
void drawLogo(const Scene& scene) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    const float grey = (std::cos(scene.renderer->elapsedSeconds * 0.1f) + 1.0f) * 0.5f;
    glBindTexture(GL_TEXTURE_2D, scene.images != nullptr ? scene.images->records[1].texture : 0);
    glPushMatrix();
    const Vec3 centre = LogoCentre(scene.renderer->viewAspect);
    glTranslatef(centre.x, centre.y, centre.z);
    // The alpha-only texture takes its colour from here; the mask scales the 0.15.
    glColor4f(grey, grey, grey, 0.15f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-2.0f, -0.32f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(2.0f, -0.32f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(2.0f, 0.32f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-2.0f, 0.32f, 0.0f);
    glEnd();
    glPopMatrix();
}

}  // namespace

// Leaves a pushed matrix holding the pass rotation; endPass pops it.
void Scene::beginPass(bool finalPass, int32_t level) {
    if (finalPass) drawLogo(*this);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, images != nullptr ? images->records[0].texture : 0);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    // Neighbouring levels turn against each other at one degree per second.
    const float seconds = renderer->elapsedSeconds;
    glRotatef(level % 2 == 0 ? seconds : -seconds, 0.0f, 0.0f, 1.0f);
}

// With the depth test off, a higher index covers a lower one where they overlap.
void Scene::drawButtons() {
    if (buttons == nullptr) return;
    for (int32_t i = 0; i < kButtonCount; ++i) buttons[i].draw();
}

// The atlas is bound by beginPass; the mask in its alpha makes the square round.
void Button::draw() const {
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(spinAngle, 0.0f, 0.0f, 1.0f);
    glScalef(size, size, 1.0f);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    // The cell's top row has the smaller t, so t + height is the square's bottom edge.
    glTexCoord2f(faceS, faceT + cellHeight);
    glVertex3f(-1.0f, -1.0f, 1.0f);
    glTexCoord2f(faceS + cellWidth, faceT + cellHeight);
    glVertex3f(1.0f, -1.0f, 1.0f);
    glTexCoord2f(faceS + cellWidth, faceT);
    glVertex3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(faceS, faceT);
    glVertex3f(-1.0f, 1.0f, 1.0f);
    glEnd();
    glPopMatrix();
}

// The previous pass's picture on the first sector's bisector. The copy stores the
// picture's bottom row at t = 0, so t grows upward here.
void Scene::drawFeedback(uint32_t texture) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPushMatrix();
    glRotatef(renderer->sectorAngle * 0.5f, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, -2.0f, 0.0f);
    glScalef(feedbackZoom, feedbackZoom, 1.0f);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-1.0f, -1.0f, 1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-1.0f, 1.0f, 1.0f);
    glEnd();
    glPopMatrix();
}

// Leaves culling on, depth test, blending and texturing off.
void Scene::endPass() {
    glPopMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
