#pragma once

#include "color.h"

// Turns flat face content into a domed, bevelled, glossy button. (x, y) in face units, the rim at radius 1.
// gloss scales the dome reflections: faces that already show their own glass highlight use less.
Col finishButton(Col c, double x, double y, double gloss);
