#pragma once

// The one error sink: every line the program writes to standard error reads
// "brisalo: ...". Callers give the text without the prefix and without a line end.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
void PlatformLogError(const char* format, ...);
