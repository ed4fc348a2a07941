#pragma once

#include <csetjmp>

#include "images/jpeg_library.h"

// libjpeg's standard error manager with a way back to the loader that owns it. The
// library sees only `pub`, so it must stay first.
struct JumpErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// error_exit for a JumpErrorManager: writes the library's message for the error as one
// line to standard error, then jumps back to `jump` with 1. Never returns.
[[noreturn]] void JumpErrorExit(j_common_ptr cinfo);
