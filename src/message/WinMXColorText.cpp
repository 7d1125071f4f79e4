#include "message/WinMXColorText.h"

#include <vector>

namespace lanternfly {
namespace {

// The conversion is, by its definition, a fixed sequence of replacements, each
// over the whole text left by the one before: the codes of 10 to 34 become
// those of 51 to 75, 35 becomes 221 and 36 becomes 237; then the codes become
// tags, number by number: 1 to 9, 51 to 220, 222 to 236, 238 to 255, 221, 237.
// Two neighbouring codes may share a "#" ("#c1#c2#"); whichever of them is
// replaced first takes the "#" with it and leaves the other broken. The walk
// below reads each run of such codes once and works out which of them the
// sequence would replace, so the result is the same, in one pass.

constexpr std::u16string_view kGrey = u"[color=#7F7F7F]";

// Tags of the colours 1 to 9.
constexpr std::u16string_view kBasicTags[] = {
    u"[color=#FFFFFF]", u"[color=#FFFF00]", u"[color=#FF00FF]", u"[color=#80FF00]", u"[color=#FF8080]",
    u"[color=#80FFFF]", u"[color=#0000FF]", u"[color=#FF0000]", u"[color=#7F7F7F]",
};

// Tags of the colours 51 to 75.
constexpr std::u16string_view kPaletteTags[] = {
    u"[color=#0080FF]", u"[color=#00FFFF]", u"[color=#00FF80]", u"[color=#00FF00]", u"[color=#80FF00]",
    u"[color=#FFFF00]", u"[color=#FF8000]", u"[color=#FF0000]", u"[color=#FF0080]", u"[color=#FF00FF]",
    u"[color=#8000FF]", u"[color=#C0C0C0]", u"[color=#404040]", u"[color=#000080]", u"[color=#004080]",
    u"[color=#008080]", u"[color=#008040]", u"[color=#008000]", u"[color=#408000]", u"[color=#808000]",
    u"[color=#804000]", u"[color=#800000]", u"[color=#800040]", u"[color=#800080]", u"[color=#400080]",
};

// The turn of a number that no replacement takes.
constexpr int kNever = 1000;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The number that the digits of a code are written as by the replacements:
// 1 to 255, without leading zeros. 0 for any other digits ("0", "01", "256"),
// which no replacement finds.
int TableNumber(std::u16string_view digits) {
  if (digits.size() > 3 || digits[0] == u'0') return 0;
  int number = 0;
  for (char16_t digit : digits) number = number * 10 + (digit - u'0');
  return number <= 255 ? number : 0;
}

bool IsRenumbered(int number) { return number >= 10 && number <= 36; }

int Renumbered(int number) {
  if (number == 35) return 221;
  if (number == 36) return 237;
  return number + 41;
}

// When the code of `number` becomes a tag, in the order of the replacements.
int TagTurn(int number) {
  if (number == 221) return 256;
  if (number == 237) return 257;
  if ((number >= 1 && number <= 9) || (number >= 51 && number <= 255)) return number;
  return kNever;
}

std::u16string_view TagOf(int number) {
  if (number <= 9) return kBasicTags[number - 1];
  if (number <= 75) return kPaletteTags[number - 51];
  if (number == 221) return u"[color=#D0B652]";
  if (number == 237) return u"[color=#18B952]";
  return kGrey;
}

// One code of a run; each shares its first "#" with the one before it.
struct Code {
  std::u16string_view digits;  // as written
  int number = 0;              // after the renumbering, 0 when no replacement finds it
  bool renumbered = false;
  int turn = kNever;           // when it would become a tag
  bool tagged = false;         // whether it does
};

// Replaces every code "#cN#" of the number N: the text is searched from the
// left and the search goes on after each replaced code, so of two neighbours
// of the same number only the left one is replaced in that step.
void Renumber(std::vector<Code>& run) {
  for (std::size_t i = 0; i < run.size(); ++i) {
    Code& code = run[i];
    int original = code.number;
    bool leftTookTheHash = i > 0 && run[i - 1].renumbered && TableNumber(run[i - 1].digits) == original;
    if (IsRenumbered(original) && !leftTookTheHash) {
      code.number = Renumbered(original);
      code.renumbered = true;
    }
    code.turn = TagTurn(code.number);
  }
}

// A code becomes a tag at its turn unless a neighbour became one first and
// took the shared "#"; on equal turns the left one goes first. Whether a code
// becomes a tag depends only on neighbours with earlier turns, so each falling
// stretch of turns is settled from its lowest end back.
void Tag(std::vector<Code>& run) {
  std::size_t first = 0;
  while (first < run.size()) {
    std::size_t lowest = first;
    while (lowest + 1 < run.size() && run[lowest + 1].turn < run[lowest].turn) ++lowest;
    for (std::size_t i = lowest + 1; i-- > first;) {
      Code& code = run[i];
      bool leftFirst = i > 0 && run[i - 1].tagged && run[i - 1].turn <= code.turn;
      bool rightFirst = i + 1 < run.size() && run[i + 1].tagged && run[i + 1].turn < code.turn;
      code.tagged = code.turn != kNever && !leftFirst && !rightFirst;
    }
    first = lowest + 1;
  }
}

void AppendNumber(std::u16string& out, int number) {
  if (number >= 100) out.push_back(static_cast<char16_t>(u'0' + number / 100));
  if (number >= 10) out.push_back(static_cast<char16_t>(u'0' + number / 10 % 10));
  out.push_back(static_cast<char16_t>(u'0' + number % 10));
}

void AppendRun(const std::vector<Code>& run, std::u16string& out) {
  if (!run.front().tagged) out.push_back(u'#');
  for (std::size_t i = 0; i < run.size(); ++i) {
    const Code& code = run[i];
    if (code.tagged) {
      out.append(TagOf(code.number));
    } else {
      out.push_back(u'c');
      if (code.renumbered) {
        AppendNumber(out, code.number);
      } else {
        out.append(code.digits);
      }
    }
    bool hashTaken = code.tagged || (i + 1 < run.size() && run[i + 1].tagged);
    if (!hashTaken) out.push_back(u'#');
  }
}

// The codes that follow one another from `hash` on, each "c", digits and "#"
// after the "#" that ends the one before. Returns where the last one ends.
std::size_t ReadRun(std::u16string_view text, std::size_t hash, std::vector<Code>& run) {
  run.clear();
  for (;;) {
    std::size_t start = hash + 2;
    if (start >= text.size() || text[hash + 1] != u'c') return hash;
    std::size_t end = start;
    while (end < text.size() && IsDigit(text[end])) ++end;
    if (end == start || end == text.size() || text[end] != u'#') return hash;
    Code code;
    code.digits = text.substr(start, end - start);
    code.number = TableNumber(code.digits);
    run.push_back(code);
    hash = end;
  }
}

// The user's own text, with each "[" doubled: the label shows it as it is,
// and only the colour tags are markup.
void AppendEscaped(std::u16string_view text, std::u16string& out) {
  for (char16_t c : text) {
    out.push_back(c);
    if (c == u'[') out.push_back(u'[');
  }
}

}  // namespace

std::u16string WinMXToMarkup(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 2 + 1);
  out.push_back(u' ');
  std::vector<Code> run;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t hash = text.find(u'#', at);
    if (hash == std::u16string_view::npos) hash = text.size();
    AppendEscaped(text.substr(at, hash - at), out);
    if (hash == text.size()) break;
    std::size_t end = ReadRun(text, hash, run);
    if (run.empty()) {
      out.push_back(u'#');
      at = hash + 1;
      continue;
    }
    Renumber(run);
    Tag(run);
    AppendRun(run, out);
    at = end + 1;
  }
  return out;
}

std::u16string WinMXToPlainText(std::u16string_view text) {
  std::u16string plain;
  for (std::size_t at = 0; at < text.size();) {
    if (text.substr(at, 2) == u"#c") {
      std::size_t end = at + 2;
      if (end < text.size() && text[end] == u'?') {
        ++end;
      } else {
        while (end < text.size() && end < at + 5 && text[end] >= u'0' && text[end] <= u'9') ++end;
      }
      if (end > at + 2 && end < text.size() && text[end] == u'#') {
        at = end + 1;
        continue;
      }
    }
    plain += text[at++];
  }
  return plain;
}

}  // namespace lanternfly
