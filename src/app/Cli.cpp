#include "app/Cli.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

#include "message/ColorPatternParser.h"
#include "message/DisplayMessage.h"
#include "message/PatternDatabase.h"
#include "message/PatternText.h"
#include "message/Random.h"
#include "message/WinMXColorText.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr std::string_view kUsage =
    "usage: lanternfly-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  now-playing [ARTIST_SONG]   the display message of a fresh setup for a song\n"
    "                              (a sample song when none is given), then its\n"
    "                              preview markup\n"
    "  expand [--pattern SAVED]... [--default NAME] TEXT\n"
    "                              expand the default and colour blocks of TEXT,\n"
    "                              with the saved patterns stored in order\n"
    "  expand-first TEXT           expand only the first colour block\n"
    "  markup TEXT                 WinMX colour codes as preview markup\n"
    "  validate TEXT               the pattern editor's check of an entry\n"
    "  first-script TEXT           the script of the first colour block\n"
    "  pattern SAVED               saved form and editor form of a saved pattern\n"
    "                              such as \"Rainbow Light=2.51.52.53\"\n"
    "  --help                      this list\n";

constexpr std::u16string_view kSampleSong = u"Nightjar Radio - Lanterns Over the Bay";

using Args = std::vector<std::string>;

class Cli {
 public:
  Cli(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  int Run(const Args& args) {
    if (args.empty()) return Usage("no command given");
    const std::string& command = args[0];
    Args rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "help") {
      out_ << kUsage;
      return 0;
    }
    if (command == "now-playing") return NowPlaying(rest);
    if (command == "expand") return Expand(rest);
    if (command == "expand-first") return OneText(rest, ExpandFirstColorBlock);
    if (command == "markup") return OneText(rest, WinMXToMarkup);
    if (command == "validate") return OneText(rest, ValidateColorScript);
    if (command == "first-script") return OneText(rest, FirstColorScript);
    if (command == "pattern") return Pattern(rest);
    return Usage("unknown command \"" + command + "\"");
  }

 private:
  int Usage(const std::string& problem) {
    err_ << "lanternfly-cli: " << problem << "\n\n" << kUsage;
    return 2;
  }

  void Print(std::u16string_view text) { out_ << Utf16ToUtf8(text) << '\n'; }

  int OneText(const Args& args, const std::function<std::u16string(std::u16string_view)>& operation) {
    if (args.size() != 1) return Usage("this command takes one TEXT");
    Print(operation(Utf8ToUtf16(args[0])));
    return 0;
  }

  std::optional<ColorPattern> ReadSaved(const std::string& saved) {
    std::optional<ColorPattern> pattern = ParsePatternText(Utf8ToUtf16(saved), random_);
    if (!pattern) {
      err_ << "lanternfly-cli: \"" << saved
           << "\" is not a saved pattern: it needs a name, \"=\", the skip and the colours,"
              " as in \"Rainbow Light=2.51.52.53\"\n";
    }
    return pattern;
  }

  int NowPlaying(const Args& args) {
    if (args.size() > 1) return Usage("now-playing takes at most one ARTIST_SONG");
    PatternDatabase patterns;
    patterns.AddPattern(RainbowLightPattern());
    patterns.DefaultPattern = kRainbowLightName;
    std::u16string song = args.empty() ? std::u16string(kSampleSong) : Utf8ToUtf16(args[0]);
    std::u16string message = ExpandPatterns(ReplaceAll(kDefaultDisplayFormat, u"%ARTISTSONG%", song), patterns);
    Print(message);
    Print(WinMXToMarkup(message));
    return 0;
  }

  int Expand(const Args& args) {
    PatternDatabase patterns;
    std::optional<std::string> text;
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string& arg = args[i];
      bool takesValue = arg == "--pattern" || arg == "--default";
      if (takesValue && i + 1 == args.size()) return Usage(arg + " needs a value");
      if (arg == "--pattern") {
        std::optional<ColorPattern> pattern = ReadSaved(args[++i]);
        if (!pattern) return 2;
        patterns.AddPattern(*pattern);
      } else if (arg == "--default") {
        patterns.DefaultPattern = Utf8ToUtf16(args[++i]);
      } else if (arg == "--" && i + 2 == args.size() && !text) {
        text = args[++i];
      } else if (!text && i + 1 == args.size()) {
        text = arg;
      } else {
        return Usage("expand takes options, then one TEXT");
      }
    }
    if (!text) return Usage("expand needs a TEXT");
    Print(ExpandPatterns(Utf8ToUtf16(*text), patterns));
    return 0;
  }

  int Pattern(const Args& args) {
    if (args.size() != 1) return Usage("pattern takes one SAVED");
    std::optional<ColorPattern> pattern = ReadSaved(args[0]);
    if (!pattern) return 2;
    Print(PatternToText(*pattern));
    Print(PatternTestText(*pattern));
    return 0;
  }

  std::ostream& out_;
  std::ostream& err_;
  Random random_;
};

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return Cli(out, err).Run(args);
}

}  // namespace lanternfly
