#include "app/Cli.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

#include "app/Demo.h"
#include "message/ColorPatternParser.h"
#include "metadata/ID3Tag.h"
#include "metadata/MPEGInfo.h"
#include "message/DisplayMessage.h"
#include "message/PatternDatabase.h"
#include "message/PatternText.h"
#include "message/Random.h"
#include "message/WinMXColorText.h"
#include "controls/ListModel.h"
#include "platform/CodePage.h"
#include "platform/Desktop.h"
#include "platform/ITunesAutomation.h"
#include "players/PlayerDetection.h"
#include "players/PlayerReaders.h"
#include "rooms/RoomScanner.h"
#include "rooms/RoomSender.h"
#include "settings/Settings.h"
#include "platform/Files.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr std::string_view kUsage =
    "usage: lanternfly-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  demo                        the program's main job on a simulated desktop: a\n"
    "                              player plays two songs, two chat rooms get them\n"
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
    "  mpeg [--codepage N] FILE    the MPEG audio header of a song file\n"
    "  id3v1 [--codepage N] FILE   the ID3v1 tag of a song file\n"
    "                              (N: the system code page to read with, 1252\n"
    "                              unless given; texts print as UTF-8 with CR, LF\n"
    "                              and backslash written \\r, \\n and \\\\)\n"
    "\n"
    "On Windows, the desktop this runs on:\n"
    "  rooms                       the room list, one entry a line, as listed\n"
    "  send [--protect] [--entry ENTRY]... MESSAGE\n"
    "                              types MESSAGE into every listed room, or only into\n"
    "                              the rooms of the given entries; --protect spares\n"
    "                              input boxes that hold the user's text\n"
    "  song PLAYER                 what Winamp, iTunes, Foobar or VLC plays: Active,\n"
    "                              then the song record's texts as Name=value lines\n"
    "  detect                      the four player captions, one a line\n"
    "  --help                      this list\n";

constexpr std::u16string_view kSampleSong = u"Nightjar Radio - Lanterns Over the Bay";

using Args = std::vector<std::string>;

// Keeps a field on its one line: CR, LF and backslash are written \r, \n, \\.
std::string EscapeLineBreaks(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\r') escaped += "\\r";
    else if (c == '\n') escaped += "\\n";
    else if (c == '\\') escaped += "\\\\";
    else escaped += c;
  }
  return escaped;
}

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
    if (command == "demo") return rest.empty() ? RunDemo(out_) : Usage("demo takes no arguments");
    if (command == "now-playing") return NowPlaying(rest);
    if (command == "expand") return Expand(rest);
    if (command == "expand-first") return OneText(rest, ExpandFirstColorBlock);
    if (command == "markup") return OneText(rest, WinMXToMarkup);
    if (command == "validate") return OneText(rest, ValidateColorScript);
    if (command == "first-script") return OneText(rest, FirstColorScript);
    if (command == "pattern") return Pattern(rest);
    if (command == "mpeg") return Mpeg(rest);
    if (command == "rooms" || command == "send" || command == "song" || command == "detect") {
      return OnDesktop(command, rest);
    }
    if (command == "id3v1") return Id3v1(rest);
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

  // The code page and the path of `mpeg` and `id3v1`.
  struct SongFileArgs {
    std::unique_ptr<CodePage> codePage;
    std::u16string path;
  };

  std::optional<SongFileArgs> ReadSongFileArgs(const Args& args) {
    int number = 1252;
    std::size_t at = 0;
    if (args.size() == 3 && args[0] == "--codepage") {
      std::optional<double> given = ReadNumber(Utf8ToUtf16(args[1]));
      number = given ? WholeInRange(*given, 1, 65535).value_or(0) : 0;
      at = 2;
    }
    if (args.size() != at + 1) {
      Usage("this command takes [--codepage N] FILE");
      return std::nullopt;
    }
    std::unique_ptr<CodePage> codePage = OpenCodePage(number);
    if (!codePage) {
      err_ << "lanternfly-cli: there is no code page \"" << args[1] << "\" here\n";
      return std::nullopt;
    }
    return SongFileArgs{std::move(codePage), Utf8ToUtf16(args[at])};
  }

  void PrintField(std::string_view name, std::u16string_view value) {
    out_ << name << '=' << EscapeLineBreaks(Utf16ToUtf8(value)) << '\n';
  }
  void PrintField(std::string_view name, bool value) { out_ << name << '=' << (value ? "true" : "false") << '\n'; }
  void PrintField(std::string_view name, std::int32_t value) { out_ << name << '=' << value << '\n'; }

  int Mpeg(const Args& args) {
    std::optional<SongFileArgs> song = ReadSongFileArgs(args);
    if (!song) return 2;
    MPEGInfo info;
    PrintField("result", ReadMPEGInfo(*SystemFiles(), *song->codePage, song->path, info));
    PrintField("Version", info.Version);
    PrintField("Protected", info.Protected);
    PrintField("Bitrate", info.Bitrate);
    PrintField("Frequency", info.Frequency);
    PrintField("VBR", info.VBR);
    PrintField("ChannelMode", info.ChannelMode);
    PrintField("Copyright", info.Copyright);
    PrintField("Original", info.Original);
    PrintField("Emphasis", info.Emphasis);
    PrintField("Duration", info.Duration);
    PrintField("ID3v1Version", info.ID3v1Version);
    PrintField("ID3v2Version", info.ID3v2Version);
    PrintField("FileSize", info.FileSize);
    return 0;
  }

  int Id3v1(const Args& args) {
    std::optional<SongFileArgs> song = ReadSongFileArgs(args);
    if (!song) return 2;
    ID3Tag tag;
    PrintField("result", ReadID3v1(*SystemFiles(), *song->codePage, song->path, tag));
    PrintField("Artist", tag.Artist);
    PrintField("Album", tag.Album);
    PrintField("Title", tag.Title);
    PrintField("Year", tag.Year);
    PrintField("Genre", tag.Genre);
    PrintField("Comment", tag.Comment);
    PrintField("Track", tag.Track);
    return 0;
  }

  // The players of this machine, read as the program reads them.
  struct Players {
    explicit Players(Desktop& desktop) : readers(desktop, *files, *iTunes) {}
    std::unique_ptr<Files> files = SystemFiles();
    std::unique_ptr<ITunesAutomation> iTunes = SystemITunes();
    PlayerReaders readers;
  };

  // The commands that work on the real desktop.
  int OnDesktop(const std::string& command, const Args& args) {
    std::unique_ptr<WindowApi> api = SystemWindowApi();
    if (!api) {
      err_ << "lanternfly-cli: \"" << command << "\" needs Windows: it works on the desktop's windows\n";
      return 2;
    }
    std::unique_ptr<CodePage> codePage = SystemCodePage();
    Desktop desktop(*api, *codePage);
    if (command == "rooms") return Rooms(desktop, args);
    if (command == "send") return Send(desktop, args);
    if (command == "song") return Song(desktop, args);
    return Detect(desktop, args);
  }

  int Rooms(Desktop& desktop, const Args& args) {
    if (!args.empty()) return Usage("rooms takes no arguments");
    Settings settings;
    ListModel list;
    RoomScanner(desktop, list, settings).RefreshRoomList();
    for (int i = 0; i < list.ListCount(); ++i) out_ << EscapeLineBreaks(Utf16ToUtf8(list.ItemText(i))) << '\n';
    return 0;
  }

  int Send(Desktop& desktop, const Args& args) {
    Settings settings;
    settings.SendToAll = true;
    std::vector<std::u16string> entries;
    std::optional<std::u16string> message;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (args[i] == "--protect") {
        settings.InterruptionProtection = true;
      } else if (args[i] == "--entry" && i + 1 < args.size()) {
        settings.SendToAll = false;
        entries.push_back(Utf8ToUtf16(args[++i]));
      } else if (i + 1 == args.size() && args[i] != "--entry") {
        message = Utf8ToUtf16(args[i]);
      } else {
        return Usage("send takes [--protect] [--entry ENTRY]... MESSAGE");
      }
    }
    if (!message) return Usage("send needs a MESSAGE");
    ListModel list;
    list.Mode = ListModel::SelectMode::kMultiple;
    RoomScanner scanner(desktop, list, settings);
    scanner.RefreshRoomList();
    for (int i = 0; i < list.ListCount(); ++i) {
      for (const std::u16string& entry : entries) {
        if (list.ItemText(i) == entry) list.SetItemSelected(i, true);
      }
    }
    RoomSender(desktop, settings, scanner.Rooms()).SendDisplayMessage(*message, list);
    return 0;
  }

  int Song(Desktop& desktop, const Args& args) {
    if (args.size() != 1) return Usage("song takes one PLAYER");
    Players players(desktop);
    PlayerReaders& readers = players.readers;
    SongInformation song;
    const std::string& player = args[0];
    if (player == "Winamp") song = readers.ReadWinampSong();
    else if (player == "iTunes") song = readers.ReadiTunesSong();
    else if (player == "Foobar") song = readers.ReadFoobarSong();
    else if (player == "VLC") song = readers.ReadVLCSong();
    else return Usage("PLAYER is Winamp, iTunes, Foobar or VLC");
    PrintField("Active", song.Active);
    PrintField("ArtistSong", song.ArtistSong);
    PrintField("Artist", song.Artist);
    PrintField("Song", song.Song);
    PrintField("Bitrate", song.Bitrate);
    PrintField("Channels", song.Channels);
    PrintField("ChannelMode", song.ChannelMode);
    PrintField("Frequency", song.Frequency);
    PrintField("PlaylistLength", song.PlaylistLength);
    PrintField("PlaylistPosition", song.PlaylistPosition);
    PrintField("SongLength", song.SongLength);
    PrintField("SongPosition", song.SongPosition);
    PrintField("SongRemaining", song.SongRemaining);
    PrintField("FileSize", song.FileSize);
    PrintField("Album", song.Album);
    PrintField("Year", song.Year);
    PrintField("Genre", song.Genre);
    PrintField("TrackNumber", song.TrackNumber);
    return 0;
  }

  int Detect(Desktop& desktop, const Args& args) {
    if (!args.empty()) return Usage("detect takes no arguments");
    Players players(desktop);
    PlayerCaptions captions = DetectPlayers(players.readers);
    for (const std::u16string* caption : {&captions.VLC, &captions.Foobar, &captions.Winamp, &captions.iTunes}) {
      out_ << Utf16ToUtf8(*caption) << '\n';
    }
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
