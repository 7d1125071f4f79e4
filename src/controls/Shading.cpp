#include "controls/Shading.h"

#include <algorithm>

namespace lanternfly {
namespace {

int Interpolate(int first, int last, int index, int count) {
  // Rounded to the nearest, halves away from the first colour's side.
  int span = count - 1;
  int scaled = (last - first) * index;
  int rounded = scaled >= 0 ? (2 * scaled + span) / (2 * span) : -((-2 * scaled + span) / (2 * span));
  return first + rounded;
}

}  // namespace

Colour GradientLineColour(Colour first, Colour last, int index, int count) {
  if (count <= 1) return first;
  return Rgb(Interpolate(RedOf(first), RedOf(last), index, count),
             Interpolate(GreenOf(first), GreenOf(last), index, count),
             Interpolate(BlueOf(first), BlueOf(last), index, count));
}

Colour Lighten(Colour colour, int amount) {
  auto channel = [amount](int value) { return std::clamp(value + amount, 0, 255); };
  return Rgb(channel(RedOf(colour)), channel(GreenOf(colour)), channel(BlueOf(colour)));
}

}  // namespace lanternfly
