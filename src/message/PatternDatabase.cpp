#include "message/PatternDatabase.h"

namespace lanternfly {

ColorPattern RainbowLightPattern() {
  ColorPattern pattern;
  pattern.Name = kRainbowLightName;
  pattern.Skip = 2;
  pattern.ColorCount = 9;
  for (int i = 0; i < pattern.ColorCount; ++i) pattern.Colors[i] = 51 + i;
  return pattern;
}

PatternDatabase::PatternDatabase() : slots_(kSlots) {}

bool PatternDatabase::AddPattern(const ColorPattern& pattern) {
  for (ColorPattern& slot : slots_) {
    if (IsFree(slot)) {
      slot = pattern;
      return true;
    }
  }
  return false;
}

ColorPattern PatternDatabase::GetDefaultPattern() const {
  const ColorPattern* match = nullptr;
  for (int number = 1; number <= kDefaultSearchSlots; ++number) {
    if (Slot(number).Name == DefaultPattern) match = &Slot(number);
  }
  if (match == nullptr || match->Name.empty()) return TemporaryPattern();
  return *match;
}

}  // namespace lanternfly
