#pragma once

// Colour arithmetic shared by the controls' shaded faces and gradients.

#include "platform/Canvas.h"

namespace lanternfly {

// The colour of line `index` of `count` lines running from `first` to
// `last`, each channel interpolated linearly and rounded to the nearest.
Colour GradientLineColour(Colour first, Colour last, int index, int count);

// Each channel moved by `amount` (negative darkens), clamped to 0..255.
Colour Lighten(Colour colour, int amount);

}  // namespace lanternfly
