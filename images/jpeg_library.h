#pragma once

// libjpeg's headers need size_t and FILE declared before them.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

// The decompression record's layout and the source/error manager hooks below are those of
// the version 6b interface; a library built for a later API would not match them.
#if JPEG_LIB_VERSION != 62
#error "Brisalo needs the libjpeg API of version 62 (6b), e.g. Debian's libjpeg62-turbo"
#endif
