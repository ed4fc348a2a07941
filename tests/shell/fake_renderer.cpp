#include "tests/shell/fake_renderer.h"

#include <string>

#include "platform/keys.h"
#include "platform/fake/fake_platform.h"
#include "render/lock_prompt.h"
#include "render/renderer.h"

Renderer* currentRenderer = nullptr;
uint32_t seedSalt = 0;
FakeRendererLog fakeRenderer;

void ResetFakeRenderer() {
    fakeRenderer = FakeRendererLog();
    currentRenderer = nullptr;
    seedSalt = 0;
}

bool RealHookTakes(uint32_t code) {
    return code == VK_SPACE || (code >= VK_LEFT && code <= VK_DOWN) || (code >= VK_0 && code <= VK_9) ||
           code == VK_M || code == VK_S;
}

Renderer::Renderer(int32_t width, int32_t height) {
    currentRenderer = this;
    this->width = width;
    this->height = height;
    sleepMs = fakeRenderer.sleepMs;
    fakeRenderer.constructedWidth = width;
    fakeRenderer.constructedHeight = height;
    fakeRenderer.constructedSalt = seedSalt;
    fakePlatform.note("Renderer " + std::to_string(width) + "x" + std::to_string(height) + " context " +
                      std::to_string(fakePlatform.currentContext));
}

Renderer::~Renderer() {
    fakePlatform.note("~Renderer context " + std::to_string(fakePlatform.currentContext));
}

void Renderer::resize(int32_t windowWidth, int32_t windowHeight) {
    fakePlatform.note("resize " + std::to_string(windowWidth) + "x" + std::to_string(windowHeight));
    width = windowWidth;
    height = windowHeight;
}

void Renderer::setViews(const RenderView* newViews, int32_t count) {
    views.assign(newViews, newViews + count);
    viewCount = count;
    fakeRenderer.viewUpdates += 1;
}

void Renderer::beginFrame(uint32_t flags) {
    fakePlatform.note("drawFrame " + std::to_string(flags));
    fakeRenderer.frameFlags.push_back(flags);
    if (fakeRenderer.onFrame) fakeRenderer.onFrame();
}

void Renderer::drawView(int32_t index) { fakeRenderer.viewsDrawn.push_back(index); }
void Renderer::endFrame() {}

void DrawLockPrompt(const LockPromptLook&, int32_t, int32_t, int32_t, int32_t) {}

bool Renderer::handleKey(uint32_t code) {
    fakeRenderer.keys.push_back(code);
    return fakeRenderer.takes ? fakeRenderer.takes(code) : RealHookTakes(code);
}
