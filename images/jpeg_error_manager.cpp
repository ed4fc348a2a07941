#include "images/jpeg_error_manager.h"

#include "platform/log.h"

void LogJpegMessage(j_common_ptr cinfo) {
    char text[JMSG_LENGTH_MAX] = {};
    (*cinfo->err->format_message)(cinfo, text);
    PlatformLogError("%s", text);
}

void JumpErrorExit(j_common_ptr cinfo) {
    (*cinfo->err->output_message)(cinfo);
    JumpErrorManager* manager = reinterpret_cast<JumpErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}
