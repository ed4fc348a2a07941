#include "images/jpeg_error_manager.h"

void JumpErrorExit(j_common_ptr cinfo) {
    (*cinfo->err->output_message)(cinfo);
    JumpErrorManager* manager = reinterpret_cast<JumpErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}
