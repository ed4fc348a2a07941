// One frame: a chain of passes, each a kaleidoscope of the one before it.
#include <GL/gl.h>
#include <GL/glu.h>

#include "render/offscreen_target.h"
#include "render/renderer.h"
#include "scene/scene.h"

namespace {

// One copy of the pass content, cut to a whole sector or to the narrower closing one.
void drawSectorCopy(const Renderer& r, int32_t level, bool partial) {
    glClipPlane(GL_CLIP_PLANE0, partial ? r.partialStartPlane : r.startPlane);
    glClipPlane(GL_CLIP_PLANE1, partial ? r.partialEndPlane : r.endPlane);
    if (level == 0) {
        r.scene->drawButtons();
    } else {
        r.scene->drawFeedback(feedbackTextures[(level - 1) % 2]);
    }
}

}  // namespace

bool Renderer::drawFrame(uint32_t flags) {
    beginFrame(flags);
    for (int32_t i = 0; i < viewCount; ++i) drawView(i);
    endFrame();
    return true;
}

// Everything but the final pass, drawn once however many views show it.
void Renderer::beginFrame(uint32_t flags) {
    mirrorsActive = (flags & kMirrorFlag) != 0;
    if (mirrorsSuppressed) mirrorsActive = false;

    glDrawBuffer(GL_BACK);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 5.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);

    advance();
    setSectorAngle(sectorAngle);
    if (passCount <= 1) return;

    // Every offscreen pass has the first view's aspect at a height of 512; with one
    // landscape view its projection is the final pass's too.
    SetViewProjection(passWidth, passHeight);
    const OffscreenViewport viewport = offscreenViewport(passWidth, passHeight);
    bindOffscreenTarget(*this);
    for (int32_t level = 0; level <= passCount - 2; ++level) {
        const int32_t copyX = useOffscreenViewport(*this, viewport);
        drawPass(false, level);
        glBindTexture(GL_TEXTURE_2D, feedbackTextures[level % 2]);
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, copyX, 0, kFeedbackSize, kFeedbackSize, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    unbindOffscreenTarget(*this);
}

// A view drawn earlier in this frame on the same surface, of the same size, whose pixels
// are this view's too; -1 when there is none.
int32_t Renderer::twinOf(int32_t index) const {
    const RenderView& view = views[index];
    for (int32_t i = 0; i < index; ++i) {
        const RenderView& other = views[i];
        if (other.surface != view.surface || other.width != view.width || other.height != view.height) continue;
        // Only views since the last clear of this surface hold this frame's picture.
        bool cleared = false;
        for (int32_t j = i + 1; j <= index; ++j) cleared = cleared || views[j].clear;
        const bool overlap = other.x < view.x + view.width && view.x < other.x + other.width &&
                             other.y < view.y + view.height && view.y < other.y + other.height;
        if (!cleared && !overlap) return i;
    }
    return -1;
}

// The final pass in one view, with the view's own projection and logo. Monitors of one
// size show the very same pixels: the second one gets a copy, at a fraction of the cost.
void Renderer::drawView(int32_t index) {
    if (index < 0 || index >= viewCount) return;
    const RenderView& view = views[index];
    if (view.clear) {
        glDrawBuffer(GL_BACK);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    const int32_t twin = twinOf(index);
    if (twin >= 0 &&
        copyWindowRect(views[twin].x, views[twin].y, view.x, view.y, view.width, view.height)) {
        return;
    }
    glViewport(view.x, view.y, view.width, view.height);
    SetViewProjection(view.width, view.height);
    viewAspect = static_cast<float>(view.width) / static_cast<float>(view.height);
    drawPass(true, passCount - 1);
    if (showFps) fpsOverlay.draw(measuredFps, view.width, view.height);
}

void Renderer::endFrame() { glFlush(); }

void Renderer::advance() {
    tickClock();
    if (scene != nullptr) scene->update();
}

// Each pass's content is drawn once per sector: even positions as they are, odd ones
// mirrored, so that neighbours meet along mirror lines.
void Renderer::drawPass(bool finalPass, int32_t level) {
    if (scene == nullptr) return;
    glPushMatrix();
    if (!mirrorsActive && level == passCount - 1) {
        glColor3f(1.0f, 0.0f, 0.0f);
        glBegin(GL_LINE_LOOP);
        glVertex2f(outlineApex.x, outlineApex.y);
        glVertex2f(outlineStart.x, outlineStart.y);
        glVertex2f(outlineEnd.x, outlineEnd.y);
        glEnd();
    }
    scene->beginPass(finalPass, level);
    if (mirrorsActive) {
        glEnable(GL_CLIP_PLANE0);
        glEnable(GL_CLIP_PLANE1);
    }

    const int32_t n = sectorCount;
    for (int32_t i = 0; i < n; i += 2) {
        if (!mirrorsActive && i > 0) break;
        glPushMatrix();
        glRotatef(static_cast<float>(i) * geometryAngle, 0.0f, 0.0f, 1.0f);
        glFrontFace(GL_CCW);
        if (i + 1 < n) drawSectorCopy(*this, level, i + 1 == n - 1 && hasPartialSector);
        if (mirrorsActive) {
            // The reflection reverses every polygon's winding; flip the front face so
            // that culling keeps the same faces.
            glScalef(-1.0f, 1.0f, 1.0f);
            glFrontFace(GL_CW);
            drawSectorCopy(*this, level, i == n - 1 && hasPartialSector);
        }
        glPopMatrix();
    }

    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);
    glDisable(GL_CLIP_PLANE2);
    glFrontFace(GL_CCW);
    glPopMatrix();
    scene->endPass();
}
