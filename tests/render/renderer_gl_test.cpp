// The Renderer in a real GL context: set-up state, the pass chain and the pictures.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "platform/keys.h"
#include "render/lock_prompt.h"
#include "render/renderer.h"
#include "scene/scene.h"
#include "tests/render/fake_time.h"
#include "tests/render/frame_pixels.h"
#include "tests/support/gl_test_context.h"

namespace {

class RendererGl : public GlTest {
protected:
    // A Renderer on a window of the given size; the clock stays at 0 and the sector
    // easing is held, so that the frame shows 10 whole sectors at rest.
    std::unique_ptr<Renderer> makeRenderer(int32_t width, int32_t height, bool holdEasing = true) {
        openContext(width, height);
        if (HasFatalFailure() || IsSkipped()) return nullptr;
        fakeCounterMs = 0;
        fakeSeed = 7;
        std::unique_ptr<Renderer> r(new Renderer(width, height));
        if (holdEasing) r->scene->sectorEasing = false;
        return r;
    }
    void TearDown() override {
        renderer.reset();
        GlTest::TearDown();
    }
    GLint internalFormat(uint32_t texture) {
        GLint format = 0;
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        return format;
    }
    std::unique_ptr<Renderer> renderer;
};

TEST_F(RendererGl, SetUpState) {
    renderer = makeRenderer(640, 480, false);
    if (!renderer) return;
    EXPECT_EQ(currentRenderer, renderer.get());
    EXPECT_EQ(renderer->sectorCount, 10);
    EXPECT_FALSE(renderer->hasPartialSector);
    EXPECT_EQ(renderer->sectorsPerTurn, 10.0f);
    EXPECT_EQ(renderer->passCount, 2);
    EXPECT_EQ(renderer->sleepMs, 74);
    EXPECT_EQ(renderer->targetFps, 24);
    EXPECT_TRUE(renderer->mirrorsActive);
    ASSERT_NE(renderer->scene, nullptr);

    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5], 1.0f, 1e-5);  // 90 degrees vertical field of view
    EXPECT_NEAR(projection[0], 480.0f / 640.0f, 1e-5);
    EXPECT_NEAR(projection[10], -21.0f / 19.0f, 1e-5);  // near 1, far 20
    EXPECT_NEAR(projection[14], -40.0f / 19.0f, 1e-5);

    for (uint32_t texture : feedbackTextures) {
        GLint side = 0;
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &side);
        EXPECT_EQ(side, 512);
        EXPECT_NE(internalFormat(texture), GL_RGB);  // 4 components, as made
    }
}

// With a host's --fps the rate is drawn too, lower left, and the state is the same.
TEST_F(RendererGl, FrameLeavesTheStateItPromises) {
    renderer = makeRenderer(320, 240);
    if (!renderer) return;
    auto cornerLit = [] {
        const FramePixels frame = ReadBackBuffer(320, 240);
        int64_t lit = 0;
        for (int32_t y = 8; y < 24; ++y) {
            for (int32_t x = 8; x < 104; ++x) {
                const unsigned char* p = frame.at(x, y);
                lit += p[0] > 200 && p[1] > 200 && p[2] > 200 ? 1 : 0;  // the digits are white
            }
        }
        return lit;
    };
    renderer->drawFrame(kMirrorFlag);
    const int64_t without = cornerLit();
    renderer->showFps = true;
    renderer->measuredFps = 23.94f;
    renderer->drawFrame(kMirrorFlag);
    EXPECT_GT(cornerLit(), without + 150) << "no frame rate in the lower left corner";
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE1));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    GLint frontFace = 0;
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    EXPECT_EQ(frontFace, GL_CCW);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The lock's ring over a frame: its colour whole where it is drawn, and every piece of the
// kaleidoscope's state as the frame left it.
TEST_F(RendererGl, LockPromptDrawsItsRingAndPutsTheStateBack) {
    renderer = makeRenderer(320, 240);
    if (!renderer) return;
    renderer->drawFrame(kMirrorFlag);
    glEnable(GL_CLIP_PLANE0);
    glViewport(10, 20, 100, 50);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(1.0f, 2.0f, 3.0f);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);

    LockPromptLook look;
    look.ring = LockRing::Wrong;
    DrawLockPrompt(look, 0, 0, 320, 240);

    const FramePixels frame = ReadBackBuffer(320, 240);
    for (int32_t x : {160 - 36, 160 + 36}) {  // the ring's middle: radii 32 to 40 at this size
        const unsigned char* p = frame.at(x, 120);
        EXPECT_EQ(p[0], kRingWrong[0]);
        EXPECT_EQ(p[1], kRingWrong[1]);
        EXPECT_EQ(p[2], kRingWrong[2]);
    }
    EXPECT_TRUE(glIsEnabled(GL_CLIP_PLANE0));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 10);
    EXPECT_EQ(viewport[3], 50);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[2], 0.75f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(after[13], modelview[13]);
    glPopMatrix();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Each offscreen pass redefines its texture as RGB; untouched ones keep their RGBA.
TEST_F(RendererGl, PassChainAlternatesTheFeedbackTextures) {
    renderer = makeRenderer(320, 240);
    if (!renderer) return;
    renderer->handleKey('0');  // one pass: buttons straight to the window
    EXPECT_EQ(renderer->passCount, 1);
    renderer->drawFrame(kMirrorFlag);
    EXPECT_NE(internalFormat(feedbackTextures[0]), GL_RGB);
    EXPECT_NE(internalFormat(feedbackTextures[1]), GL_RGB);

    renderer->handleKey('1');
    renderer->drawFrame(kMirrorFlag);
    EXPECT_EQ(internalFormat(feedbackTextures[0]), GL_RGB);
    EXPECT_NE(internalFormat(feedbackTextures[1]), GL_RGB);

    renderer->handleKey('9');  // ten passes: nine copies, 0, 1, ..., 0
    EXPECT_EQ(renderer->passCount, 10);
    renderer->drawFrame(kMirrorFlag);
    EXPECT_EQ(internalFormat(feedbackTextures[1]), GL_RGB);
    EXPECT_GT(CountNonBlack(ReadBackBuffer(320, 240)), 320 * 240 / 10);
}

TEST_F(RendererGl, MirrorsMakeTheFrameSymmetricAcrossSectorLines) {
    renderer = makeRenderer(400, 300);
    if (!renderer) return;
    // At time 0 the 270 and 90 degree rays are mirror lines: left and right halves
    // match. The logo at the bottom is the one thing drawn once.
    for (char passes : {'0', '1'}) {
        renderer->handleKey(static_cast<uint32_t>(passes));
        renderer->drawFrame(kMirrorFlag);
        const FramePixels frame = ReadBackBuffer(400, 300);
        SCOPED_TRACE(passes);
        EXPECT_GT(CountNonBlack(frame), 400 * 300 / 4);
        EXPECT_LT(MirrorMismatch(frame, 300 / 6, 40), 0.02);
    }
    // The same frame without mirrors draws its content once and is lopsided.
    renderer->handleKey('0');
    renderer->drawFrame(0);
    EXPECT_GT(MirrorMismatch(ReadBackBuffer(400, 300), 300 / 6, 40), 0.10);
}

// A host that resizes its window gets the picture a Renderer made at the new size draws:
// projection, viewport and offscreen target all follow.
TEST_F(RendererGl, AResizedRendererDrawsWhatOneMadeAtThatSizeDraws) {
    renderer = makeRenderer(400, 300);
    if (!renderer) return;
    renderer->drawFrame(kMirrorFlag);
    const FramePixels made = ReadBackBuffer(400, 300);

    renderer.reset();
    fakeCounterMs = 0;
    fakeSeed = 7;
    renderer.reset(new Renderer(240, 320));  // narrower than tall: another offscreen target
    renderer->scene->sectorEasing = false;
    renderer->resize(400, 300);
    EXPECT_EQ(renderer->width, 400);
    EXPECT_EQ(renderer->height, 300);
    renderer->drawFrame(kMirrorFlag);
    EXPECT_GT(CountNonBlack(made), 400 * 300 / 4);
    EXPECT_LT(Difference(ReadBackBuffer(400, 300), made, 8), 0.001);
}

TEST_F(RendererGl, MirrorsOffShowTheRedSectorOutline) {
    renderer = makeRenderer(400, 300);
    if (!renderer) return;
    renderer->handleKey('0');
    renderer->drawFrame(kMirrorFlag);
    const int64_t redWithMirrors = CountPureRed(ReadBackBuffer(400, 300));
    renderer->handleKey('M');  // suppressed mirrors behave as mirrors off
    renderer->drawFrame(kMirrorFlag);
    EXPECT_FALSE(renderer->mirrorsActive);
    const int64_t redWithout = CountPureRed(ReadBackBuffer(400, 300));
    EXPECT_GT(redWithout, redWithMirrors + 40);
    renderer->handleKey('M');
    renderer->drawFrame(kMirrorFlag);
    EXPECT_TRUE(renderer->mirrorsActive);
}

// A host's preview is far below 512 pixels high; its feedback picture must be the one
// a large window of the same shape makes, not undefined pixels.
TEST_F(RendererGl, PreviewWindowGetsTheSameFeedbackPictureAsALargeWindow) {
    renderer = makeRenderer(1520, 1120);
    if (!renderer) return;
    renderer->drawFrame(kMirrorFlag);
    const FramePixels large = ReadTexture(feedbackTextures[0]);

    // The back buffer path, as where the GL has no framebuffer objects, agrees too.
    renderer.reset();
    renderer = makeRenderer(1520, 1120);
    if (!renderer) return;
    const uint32_t framebuffer = renderer->offscreenFramebuffer;
    ASSERT_NE(framebuffer, 0u) << "this GL offers framebuffer objects";
    renderer->offscreenFramebuffer = 0;
    renderer->drawFrame(kMirrorFlag);
    const FramePixels backBuffer = ReadTexture(feedbackTextures[0]);
    renderer->offscreenFramebuffer = framebuffer;
    EXPECT_LT(Difference(large, backBuffer, 8), 0.01);

    renderer.reset();
    renderer = makeRenderer(152, 112);
    if (!renderer) return;
    renderer->drawFrame(kMirrorFlag);
    const FramePixels preview = ReadTexture(feedbackTextures[0]);
    ASSERT_EQ(preview.width, 512);
    EXPECT_GT(CountNonBlack(preview), 512 * 512 / 4);
    EXPECT_LT(Difference(large, preview, 8), 0.01);
    EXPECT_GT(CountNonBlack(ReadBackBuffer(152, 112)), 152 * 112 / 4);
}

// Cut to a square in its middle, a portrait pass would feed black bars into the next one;
// the window shows the whole circle across its width and the logo inside its corner.
TEST_F(RendererGl, PortraitWindowShowsTheWholeCircleAndItsLogo) {
    renderer = makeRenderer(640, 320);  // a pass exactly 1024 wide: no rounding of its scale
    if (!renderer) return;
    renderer->drawFrame(kMirrorFlag);
    const FramePixels landscape = ReadTexture(feedbackTextures[0]);

    renderer.reset();
    renderer = makeRenderer(300, 600);
    if (!renderer) return;
    renderer->drawFrame(kMirrorFlag);
    EXPECT_LT(Difference(ReadTexture(feedbackTextures[0]), landscape, 8), 0.01);

    const FramePixels frame = ReadBackBuffer(300, 600);
    int64_t edge = 0;
    int64_t logo = 0;
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x : {0, 1, 298, 299}) edge += frame.at(x, y)[0] + frame.at(x, y)[1] + frame.at(x, y)[2];
        // Row 0 is the bottom: the lettering lies in the bottom twentieth, right of the middle.
        for (int32_t x = 150; x < 300 && y < 30; ++x) logo += frame.at(x, y)[1] > 20 ? 1 : 0;
    }
    EXPECT_EQ(edge, 0) << "the circle is cut by the window's sides";
    EXPECT_GT(logo, 200) << "no lettering in the lower right corner";
    EXPECT_GT(CountNonBlack(frame), 300 * 300 / 3);
}

// Two monitors side by side: each shows the very picture one window of its size shows.
TEST_F(RendererGl, EachViewShowsTheWholePictureOfAWindowItsSize) {
    renderer = makeRenderer(320, 240);
    if (!renderer) return;
    renderer->drawFrame(kMirrorFlag);
    const FramePixels single = ReadBackBuffer(320, 240);

    renderer.reset();
    renderer = makeRenderer(640, 240);
    if (!renderer) return;
    const RenderView views[] = {{0, 0, 320, 240, 0, false}, {320, 0, 320, 240, 0, false}};
    renderer->setViews(views, 2);
    renderer->drawFrame(kMirrorFlag);
    const FramePixels both = ReadBackBuffer(640, 240);
    for (int32_t offset : {0, 320}) {
        FramePixels half;
        half.width = 320;
        half.height = 240;
        for (int32_t y = 0; y < 240; ++y) {
            half.rgb.insert(half.rgb.end(), both.at(offset, y), both.at(offset, y) + 320 * 3);
        }
        EXPECT_LT(Difference(half, single, 8), 0.001) << "the view at x " << offset;
    }
}

TEST_F(RendererGl, KeyHookTable) {
    renderer = makeRenderer(160, 120);
    if (!renderer) return;
    Scene& scene = *renderer->scene;
    EXPECT_TRUE(renderer->handleKey(VK_SPACE));
    EXPECT_TRUE(renderer->handleKey(VK_S));

    const float zoom = scene.feedbackZoom;
    EXPECT_TRUE(renderer->handleKey(VK_LEFT));
    EXPECT_NEAR(scene.feedbackZoom, zoom - 0.1f, 1e-6);
    EXPECT_TRUE(renderer->handleKey(VK_RIGHT));
    EXPECT_NEAR(scene.feedbackZoom, zoom, 1e-6);
    const float spin = scene.spinRate;
    EXPECT_TRUE(renderer->handleKey(VK_UP));
    EXPECT_NEAR(scene.spinRate, spin + 0.00436332f, 1e-7);
    scene.buttons[3].velocity.set(1.0f, 1.0f, 0.0f);
    EXPECT_TRUE(renderer->handleKey(VK_DOWN));
    EXPECT_EQ(scene.transitionLength, 1);
    EXPECT_EQ(scene.buttons[3].velocity.x, 0.0f);

    for (uint32_t digit = '0'; digit <= '9'; ++digit) {
        EXPECT_TRUE(renderer->handleKey(digit));
        EXPECT_EQ(renderer->passCount, static_cast<int32_t>(digit - '0') + 1);
    }
    EXPECT_TRUE(renderer->handleKey(VK_M));
    EXPECT_TRUE(renderer->mirrorsSuppressed);

    // G reaches the Scene, yet the saver closes; so do Escape, Enter and clicks.
    const bool easing = scene.sectorEasing;
    EXPECT_FALSE(renderer->handleKey(VK_G));
    EXPECT_NE(scene.sectorEasing, easing);
    for (uint32_t code : {27u, 13u, 0x41u, 1u, 2u, 16u, 5u, 0x70u}) {
        EXPECT_FALSE(renderer->handleKey(code)) << code;
    }
    EXPECT_EQ(renderer->passCount, 10);
}

}  // namespace
