#include "render/renderer.h"

// The records these tests make never own a Scene or any GL object, so there is nothing
// to tear down; this keeps the Renderer's GL teardown out of the link.
Renderer::~Renderer() {}
