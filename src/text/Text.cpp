#include "text/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

#include "text/CaseFoldingTable.h"

namespace lanternfly {

std::vector<std::u16string> Split(std::u16string_view text, std::u16string_view marker) {
  std::vector<std::u16string> pieces;
  if (text.empty()) return pieces;
  if (marker.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t start = 0;
  for (;;) {
    std::size_t at = text.find(marker, start);
    if (at == std::u16string_view::npos) {
      pieces.emplace_back(text.substr(start));
      return pieces;
    }
    pieces.emplace_back(text.substr(start, at - start));
    start = at + marker.size();
  }
}

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to) {
  std::size_t at = from.empty() ? std::u16string_view::npos : text.find(from);
  if (at == std::u16string_view::npos) return std::u16string(text);
  std::u16string result;
  result.reserve(text.size());
  std::size_t start = 0;
  while (at != std::u16string_view::npos) {
    result.append(text, start, at - start);
    result.append(to);
    start = at + from.size();
    at = text.find(from, start);
  }
  result.append(text, start);
  return result;
}

namespace {

char32_t FoldCodePoint(char32_t c) {
  if (c < 0x80) return c >= U'A' && c <= U'Z' ? c + 0x20 : c;
  auto before = [](const CaseFoldEntry& entry, char32_t code) { return entry.from < code; };
  const CaseFoldEntry* end = std::end(kCaseFolding);
  const CaseFoldEntry* entry = std::lower_bound(std::begin(kCaseFolding), end, c, before);
  return entry != end && entry->from == c ? entry->to : c;
}

}  // namespace

std::u16string FoldCase(std::u16string_view text) {
  std::u16string folded(text);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    char16_t c = folded[i];
    if (IsHighSurrogate(c) && i + 1 < folded.size() && IsLowSurrogate(folded[i + 1])) {
      // Characters beyond the first plane fold within their own planes, so
      // the pair stays a pair and the text keeps its length.
      char32_t code = 0x10000 + ((c - 0xD800u) << 10) + (folded[i + 1] - 0xDC00u);
      char32_t to = FoldCodePoint(code) - 0x10000;
      folded[i] = static_cast<char16_t>(0xD800 + (to >> 10));
      folded[i + 1] = static_cast<char16_t>(0xDC00 + (to & 0x3FF));
      ++i;
    } else {
      folded[i] = static_cast<char16_t>(FoldCodePoint(c));  // a lone surrogate has no folding
    }
  }
  return folded;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  std::size_t last = text.find_last_not_of(u' ');
  return text.substr(first, last - first + 1);
}

std::u16string ToDecimal(std::int64_t number) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, number);
  (void)ec;  // 24 characters hold every 64-bit number
  return std::u16string(digits, end);
}

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Rough decimal order of magnitude of a digit string that from_chars found
// out of range: positive means too large, negative too small.
std::int64_t DecimalOrder(std::u16string_view whole, std::u16string_view fraction, std::int64_t exponent) {
  std::size_t first = whole.find_first_not_of(u'0');
  std::int64_t order;
  if (first != std::u16string_view::npos) {
    order = static_cast<std::int64_t>(whole.size() - first) - 1;
  } else {
    std::size_t inFraction = fraction.find_first_not_of(u'0');
    order = -static_cast<std::int64_t>(inFraction) - 1;
  }
  return order + exponent;
}

}  // namespace

std::optional<double> ReadNumber(std::u16string_view text) {
  text = TrimBlanks(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

  std::size_t wholeStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  std::u16string_view whole = text.substr(wholeStart, i - wholeStart);
  std::u16string_view fraction;
  if (i < text.size() && text[i] == u'.') {
    std::size_t fractionStart = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    fraction = text.substr(fractionStart, i - fractionStart);
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;

  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negativeExponent = text[i++] == u'-';
    std::size_t exponentStart = i;
    while (i < text.size() && IsDigit(text[i])) {
      // Saturate: any exponent beyond this is out of every double's range.
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - u'0');
      ++i;
    }
    if (i == exponentStart) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != text.size()) return std::nullopt;

  // Only ASCII is left from the sign on; from_chars takes no leading '+'.
  std::string ascii(text.begin() + wholeStart, text.end());
  double value = 0;
  auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (ec == std::errc::result_out_of_range) {
    value = DecimalOrder(whole, fraction, exponent) >= 0 ? std::numeric_limits<double>::infinity()
                                                         : std::numeric_limits<double>::denorm_min();
  } else if (ec != std::errc() || end != ascii.data() + ascii.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::optional<std::int32_t> WholeInRange(double number, std::int32_t low, std::int32_t high) {
  if (!(number >= low && number <= high)) return std::nullopt;  // NaN fails too
  if (number != std::floor(number)) return std::nullopt;
  return static_cast<std::int32_t>(number);
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    char32_t code = 0;
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      code = lead, length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
      code = lead & 0x1F, length = 2, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      code = lead & 0x0F, length = 3, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      code = lead & 0x07, length = 4, minimum = 0x10000;
    }
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      code = (code << 6) | (next & 0x3F);
    }
    if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) valid = false;
    if (!valid) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += length;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return out;
}

}  // namespace lanternfly
