#pragma once

// The pattern database: 1000 numbered slots of named colour patterns, and the
// name of the pattern that colours default blocks.

#include <string>
#include <vector>

#include "message/ColorPattern.h"

namespace lanternfly {

// The pattern every fresh setup starts with.
inline constexpr std::u16string_view kRainbowLightName = u"Rainbow Light";
ColorPattern RainbowLightPattern();

class PatternDatabase {
 public:
  static constexpr int kSlots = 1000;
  // Only this many slots, from the first, are searched for the default pattern.
  static constexpr int kDefaultSearchSlots = 100;

  PatternDatabase();

  // Slots are numbered 1 to kSlots; another number throws std::out_of_range.
  const ColorPattern& Slot(int number) const { return slots_.at(number - 1); }
  ColorPattern& Slot(int number) { return slots_.at(number - 1); }

  // A slot is free when its name is empty and it has no colours.
  static bool IsFree(const ColorPattern& slot) { return slot.Name.empty() && slot.ColorCount == 0; }

  // Stores the pattern, unchecked, in the lowest free slot; false when full.
  bool AddPattern(const ColorPattern& pattern);

  // The last of slots 1 to 100 whose name equals DefaultPattern exactly, or
  // the temporary pattern when none does (or the match has no name).
  ColorPattern GetDefaultPattern() const;

  std::u16string DefaultPattern;

 private:
  std::vector<ColorPattern> slots_;
};

}  // namespace lanternfly
