#include "message/ColorPatternParser.h"

#include <optional>
#include <vector>

#include "message/ColorPattern.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr std::u16string_view kDefaultOpen = u"[d]";
constexpr std::u16string_view kDefaultClose = u"[/d]";
constexpr std::u16string_view kColorOpen = u"[c,";
constexpr std::u16string_view kColorClose = u"[/c]";

struct ColorBlock {
  std::u16string_view script;  // before the first "]"
  std::u16string_view text;    // after it
};

// A block's body (what stands between "[c," and "[/c]") read as script and
// text; nothing when it has no "]".
std::optional<ColorBlock> ReadColorBlock(std::u16string_view body) {
  std::size_t bracket = body.find(u']');
  if (bracket == std::u16string_view::npos) return std::nullopt;
  return ColorBlock{body.substr(0, bracket), body.substr(bracket + 1)};
}

// The common walk of both block kinds: the text is split at `open`; a piece
// without `close` is kept as it is, while in a piece with it the part before
// the first `close` is the block's body, handed to `expand`, and the parts
// after it are kept. `expand` appends what the body becomes and answers
// whether the walk ends there. A text without `open` comes back unchanged.
template <typename Expand>
std::u16string ExpandBlocks(std::u16string_view text, std::u16string_view open, std::u16string_view close,
                            Expand expand) {
  std::vector<std::u16string> pieces = Split(text, open);
  if (pieces.size() == 1) return std::u16string(text);
  std::u16string result;
  for (const std::u16string& piece : pieces) {
    if (!Contains(piece, close)) {
      result += piece;
      continue;
    }
    std::vector<std::u16string> parts = Split(piece, close);
    bool stop = expand(parts[0], result);
    for (std::size_t i = 1; i < parts.size(); ++i) result += parts[i];
    if (stop) break;
  }
  return result;
}

std::u16string ExpandDefaultBlocks(std::u16string_view text, const PatternDatabase& patterns) {
  return ExpandBlocks(text, kDefaultOpen, kDefaultClose, [&](std::u16string_view body, std::u16string& result) {
    // Looked up per block: a block must colour with the pattern in force now.
    result += ApplyPattern(body, patterns.GetDefaultPattern());
    return false;
  });
}

enum class Blocks { kAll, kFirstOnly };

std::u16string ExpandColorBlocks(std::u16string_view text, Blocks which) {
  return ExpandBlocks(text, kColorOpen, kColorClose, [&](std::u16string_view body, std::u16string& result) {
    std::optional<ColorBlock> block = ReadColorBlock(body);
    if (!block) return false;  // no "]": the block is dropped
    if (Contains(block->script, u",")) {
      result += ApplyPattern(block->text, ParseColorScript(block->script));
    } else {
      result += u"Invalid Format";
    }
    return which == Blocks::kFirstOnly;
  });
}

}  // namespace

std::u16string ExpandPatterns(std::u16string_view text, const PatternDatabase& patterns) {
  std::u16string result = ExpandColorBlocks(ExpandDefaultBlocks(text, patterns), Blocks::kAll);
  return result.empty() ? std::u16string(text) : result;
}

std::u16string ExpandFirstColorBlock(std::u16string_view text) {
  std::u16string result = ExpandColorBlocks(text, Blocks::kFirstOnly);
  return result.empty() ? std::u16string(text) : result;
}

// The script of the first piece of a "[c," split that holds "[/c]" with a "]"
// before it. Like the expansion, this looks at the text before the first
// "[c," too.
std::optional<std::u16string> FirstColorBlockScript(std::u16string_view text) {
  for (const std::u16string& piece : Split(text, kColorOpen)) {
    std::size_t close = piece.find(kColorClose);
    if (close == std::u16string::npos) continue;
    if (auto block = ReadColorBlock(std::u16string_view(piece).substr(0, close))) return std::u16string(block->script);
  }
  return std::nullopt;
}

std::u16string FirstColorScript(std::u16string_view text) {
  return FirstColorBlockScript(text).value_or(u"c,1,1");
}

std::u16string ValidateColorScript(std::u16string_view text) {
  if (!Contains(text, kColorOpen)) return u"No beginning script id was found [c]";
  std::optional<std::u16string> script = FirstColorBlockScript(text);
  if (script && !Contains(*script, u",")) return u"Invalid Color Script Format";
  return u"Valid";
}

}  // namespace lanternfly
