#pragma once

#include <csetjmp>

#include "images/jpeg_library.h"

// libjpeg's standard error manager with a way back to the loader that owns it. The
// library sees only `pub`, so it must stay first.
struct JumpErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// output_message for the library's warnings and errors: one line on the program's error
// sink.
void LogJpegMessage(j_common_ptr cinfo);

// error_exit for a JumpErrorManager: writes the library's message for the error through
// output_message, then jumps back to `jump` with 1. Never returns.
[[noreturn]] void JumpErrorExit(j_common_ptr cinfo);
