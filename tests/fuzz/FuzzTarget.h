#pragma once

// The fuzz targets: each takes one input of arbitrary bytes, runs it through
// a part of the program and stops the process (abort) when a property that
// must hold for every input does not. The same functions run under libFuzzer
// (clang) and in the native replay of the committed inputs (any compiler).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lanternfly::fuzz {

using Input = std::span<const std::uint8_t>;

void FuzzMp3(Input data);       // ID3v1, ID3v2 size, frame search, MPEG header
void FuzzColor(Input data);     // the colour block language
void FuzzMarkup(Input data);    // preview markup and the pattern text forms
void FuzzSettings(Input data);  // settings.ini: load, save, load, save
void FuzzDisplay(Input data);   // the display message template

struct Target {
  std::string_view name;  // also the folder of its corpus and regressions
  void (*run)(Input);
};

inline constexpr Target kTargets[] = {
    {"mp3", FuzzMp3}, {"color", FuzzColor}, {"markup", FuzzMarkup}, {"settings", FuzzSettings}, {"display", FuzzDisplay},
};

// Reports the broken property with the values that show it, then aborts, so
// that libFuzzer keeps the input and the replay fails.
void Expect(bool holds, std::string_view property, std::u16string_view detail = {});

// The input as text: UTF-8 where it is well formed, U+FFFD elsewhere.
std::u16string Text(Input data);

// The input cut at every line feed, as text; at most `count` pieces, the
// last one taking the rest.
std::vector<std::u16string> Lines(Input data, std::size_t count);

}  // namespace lanternfly::fuzz
