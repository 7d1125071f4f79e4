#pragma once

// The program's text helpers. Every text inside the program is UTF-16; these
// compare, search and replace exactly and case-sensitively.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lanternfly {

// Cuts `text` at every occurrence of `marker`, dropping the markers. A text
// without the marker gives one piece; an empty text gives no piece at all.
// An empty marker gives the text as its only piece.
std::vector<std::u16string> Split(std::u16string_view text, std::u16string_view marker);

// Every occurrence of `from` replaced by `to`, scanning left to right; the
// inserted text is never searched again. An empty `from` changes nothing.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to);

inline bool Contains(std::u16string_view text, std::u16string_view part) {
  return text.find(part) != std::u16string_view::npos;
}

// The text case-folded, for comparisons that ignore case: every character
// replaced by its simple case folding from the Unicode Character Database
// (mostly its lower-case form; U+0178 and U+00FF both give U+00FF).
// Surrogate pairs fold as the character they make; lone surrogates stay.
// The folded text has the same length as the text.
std::u16string FoldCase(std::u16string_view text);

inline bool ContainsIgnoringCase(std::u16string_view text, std::u16string_view part) {
  return Contains(FoldCase(text), FoldCase(part));
}

// Removes blanks (U+0020 only, not tabs or other white space) from both ends.
std::u16string_view TrimBlanks(std::u16string_view text);

// Plain decimal digits, a leading minus for negative numbers.
std::u16string ToDecimal(std::int64_t number);

// Reads a text "as a number": blanks around it are allowed, then an optional
// sign, decimal digits with an optional fraction (".5" and "5." count, "." does
// not) and an optional exponent ("1e2" is 100). Anything else is not a number.
// A number too large for a double reads as an infinity, one too small as the
// smallest non-zero double of its sign, so range checks still see it right.
std::optional<double> ReadNumber(std::u16string_view text);

// The whole value of `number` when it is exactly an integer from `low` to
// `high`, for range rules such as "one of the integers 0 to 255".
std::optional<std::int32_t> WholeInRange(double number, std::int32_t low, std::int32_t high);

// UTF-8 <-> UTF-16 for the command line and the terminal. Ill-formed input
// (bad UTF-8 sequences, lone surrogates) becomes U+FFFD; nothing is dropped.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// True for the first and second halves of a surrogate pair.
inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace lanternfly
