#include "tests/support/gl_test_context.h"

#include <cstdlib>

void GlTest::openContext(int width, int height) {
    gl.close();
    const char* error = nullptr;
    if (!gl.open(width, height, &error)) {
        // The test command always provides GL; a bare ctest run on a machine without it
        // should say why rather than fail obscurely.
        if (std::getenv("BRISALO_REQUIRE_GL") != nullptr) FAIL() << error;
        GTEST_SKIP() << error;
    }
}
