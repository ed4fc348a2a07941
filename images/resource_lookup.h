#pragma once

#include <cstdint>

// The one place that knows where the three JPEG streams are stored. On Linux they are
// compiled in; a Windows build answers from RCDATA resources; tests link their own table.
// Yields read-only bytes valid for the life of the process, or false when there is no
// stream of that name.
bool LookupImageResource(const char* name, const unsigned char** bytes, uint32_t* size);
