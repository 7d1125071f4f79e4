// settings.ini as the program meets it: whatever file it finds, what it
// writes loads cleanly and is written again byte for byte, so nothing drifts
// or is lost from one run of the program to the next. (The first save may
// clean a value the file held, so the values of the two loads may differ.)

#include "FuzzTarget.h"
#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimShell.h"
#include "settings/SettingsFile.h"

namespace lanternfly::fuzz {
namespace {

constexpr char kPath[] = "C:\\Lanternfly\\settings.ini";

// One start of the program: load the file found, save on the way out.
struct Run {
  explicit Run(const CodePage& codePage) : desktop(sim, codePage) {}

  std::string LoadAndSave(std::string_view found) {
    files.Put(kPath, std::vector<std::uint8_t>(found.begin(), found.end()));
    file.LoadSettings(settings, patterns, random, [] {});
    file.SaveSettings(settings, patterns);
    return files.Content(kPath).value_or("");
  }

  SimDesktop sim;
  Desktop desktop;
  MemoryFiles files;
  SimShell shell;
  SettingsFile file{files, shell, desktop, u"C:\\Lanternfly\\settings.ini"};
  Settings settings;
  PatternDatabase patterns;
  Random random{11};
};

}  // namespace

void FuzzSettings(Input data) {
  // Western, and Japanese with its two-byte characters around the commas and
  // line ends that cut fields.
  static const std::unique_ptr<CodePage> codePages[] = {OpenCodePage(1252), OpenCodePage(932)};
  for (const std::unique_ptr<CodePage>& codePage : codePages) {
    if (!codePage) continue;
    Run first(*codePage);
    const std::string written =
        first.LoadAndSave(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    Run second(*codePage);
    const std::string rewritten = second.LoadAndSave(written);
    Expect(second.shell.messages.empty(), "a file the program wrote loads without the notice",
           codePage->Decode(written));
    Expect(rewritten == written, "the second save equals the first",
           codePage->Decode(written) + u"\n-- then --\n" + codePage->Decode(rewritten));
  }
}

}  // namespace lanternfly::fuzz
