#pragma once

#include <string>

// Reads back the three written files and checks what the saver's loaders rely on:
// sizes, component counts, baseline coding, sampling, the logo's restart interval,
// and that colour and mask agree on where the discs are. Prints each fault; true when none.
bool verifyPictures(const std::string& dir);
