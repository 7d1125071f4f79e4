#include "app/Demo.h"

#include <ostream>

#include "app/HeadlessMainWindow.h"
#include "app/MainForm.h"
#include "message/WinMXColorText.h"
#include "platform/sim/FakeChatClients.h"
#include "platform/sim/FakePlayers.h"
#include "platform/sim/FakeiTunes.h"
#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimTimers.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

// A short MP3 whose ID3v1 tag names its album, year and genre.
std::vector<std::uint8_t> SongFile(const std::string& album) {
  std::vector<std::uint8_t> bytes(64'000, 0);
  bytes[0] = 0xFF, bytes[1] = 0xFB, bytes[2] = 0x90, bytes[3] = 0x44;
  std::size_t tag = bytes.size() - 128;
  auto put = [&](std::size_t at, const std::string& text) { std::copy(text.begin(), text.end(), bytes.begin() + at); };
  put(tag, "TAG");
  put(tag + 63, album);
  put(tag + 93, "2026");
  bytes[tag + 127] = 52;  // Electronic
  return bytes;
}

}  // namespace

int RunDemo(std::ostream& out) {
  SimDesktop sim;
  std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
  Desktop desktop(sim, *codePage);
  MemoryFiles files;
  SimShell shell;
  HeadlessMainWindow window;
  AppState state;
  Random random;

  files.Put("C:\\Music\\01.mp3", SongFile("Night Lights"));
  files.Put("C:\\Music\\02.mp3", SongFile("Night Lights"));
  FakeWinamp winamp(sim);
  std::vector<WinampTrack> playlist = {{"C:\\Music\\01.mp3", "Nightjar Radio - Lanterns Over the Bay"},
                                       {"C:\\Music\\02.mp3", "Moth Orchestra - Glow"}};
  FakeChatClient winmx(sim, FakeChatClient::Kind::kWinMX);
  FakeChatClient metis(sim, FakeChatClient::Kind::kMetis);
  const std::pair<std::u16string, WindowHandle> rooms[] = {{u"[WinMX] Lobby", winmx.OpenRoom("Lobby")},
                                                           {u"[Metis] Chat", metis.OpenRoom("Chat")}};

  out << "Lanternfly on a simulated desktop: Winamp, a WinMX room and a Metis room.\n";
  FakeiTunes iTunes;
  System system{desktop, files, shell, iTunes};
  MainForm form(system, window, state, u"C:\\Lanternfly\\settings.ini", random);
  form.Form_Load();
  for (const SimShell::Message& message : shell.messages) {
    out << "Message box \"" << Utf16ToUtf8(message.title) << "\": " << Utf16ToUtf8(message.text) << '\n';
  }
  out << "Rooms found:";
  for (int i = 0; i < form.channellist.ListCount(); ++i) out << ' ' << Utf16ToUtf8(form.channellist.ItemText(i));
  out << '\n';

  // The two polls run on their timers; the clock moves on five seconds for each song.
  SimTimers timers;
  form.StartTimers(timers);
  for (int position = 0; position < 2; ++position) {
    winamp.Play(playlist, position);
    timers.Advance(5'000);
    out << "After " << timers.Now() / 1000 << " s: " << Utf16ToUtf8(form.SelectWinamp.Caption) << ", now playing \""
        << Utf16ToUtf8(form.CurrentlyPlayingLabel) << "\"\n";
  }

  for (const auto& [entry, box] : rooms) {
    std::vector<std::u16string> lines;
    for (const std::string& line : sim.Get(box).sentLines) lines.push_back(codePage->Decode(line));
    PrintRoomLines(out, entry, lines);
  }
  return 0;
}

void PrintRoomLines(std::ostream& out, std::u16string_view entry, const std::vector<std::u16string>& lines) {
  out << "\nRoom " << Utf16ToUtf8(entry) << " received:\n";
  for (const std::u16string& text : lines) {
    out << "  " << Utf16ToUtf8(text) << "\n    as shown: " << Utf16ToUtf8(WinMXToPlainText(text)) << '\n';
  }
}

}  // namespace lanternfly
