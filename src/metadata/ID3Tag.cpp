#include "metadata/ID3Tag.h"

#include <array>
#include <vector>

#include "text/Text.h"

namespace lanternfly {
namespace {

// Numbered as the published ID3v1 list with its later extensions; the names
// are kept exactly as users have always seen them ("Psychadelic", "Bebob").
constexpr std::u16string_view kGenres =
    u"Blues#Classic Rock#Country#Dance#Disco#Funk#Grunge#Hip-Hop#Jazz#Metal#New Age#Oldies#Other#Pop#R&B#Rap#Reggae#"
    u"Rock#Techno#Industrial#Alternative#Ska#Death Metal#Pranks#Soundtrack#Euro-Techno#Ambient#Trip-Hop#Vocal#"
    u"Jazz+Funk#Fusion#Trance#Classical#Instrumental#Acid#House#Game#Sound Clip#Gospel#Noise#Alt. Rock#Bass#Soul#"
    u"Punk#Space#Meditative#Instrumental Pop#Instrumental Rock#Ethnic#Gothic#Darkwave#Techno-Industrial#Electronic#"
    u"Pop-Folk#Eurodance#Dream#Southern Rock#Comedy#Cult#Gangsta#Top 40#Christian Rap#Pop/Funk#Jungle#"
    u"Native American#Cabaret#New Wave#Psychadelic#Rave#Showtunes#Trailer#Lo-Fi#Tribal#Acid Punk#Acid Jazz#Polka#"
    u"Retro#Musical#Rock & Roll#Hard Rock#Folk#Folk-Rock#National Folk#Swing#Fast Fusion#Bebob#Latin#Revival#Celtic#"
    u"Bluegrass#Avantgarde#Gothic Rock#Progressive Rock#Psychedelic Rock#Symphonic Rock#Slow Rock#Big Band#Chorus#"
    u"Easy Listening#Acoustic#Humour#Speech#Chanson#Opera#Chamber Music#Sonata#Symphony#Booty Bass#Primus#"
    u"Porn Groove#Satire#Slow Jam#Club#Tango#Samba#Folklore#Ballad#Power Ballad#Rhythmic Soul#Freestyle#Duet#"
    u"Punk Rock#Drum Solo#A capella#Euro-House#Dance Hall#Goa#Drum & Bass#Club-House#Hardcore#Terror#Indie#BritPop#"
    u"Negerpunk#Polsk Punk#Beat#Christian Gangsta#Heavy Metal#Black Metal#Crossover#Contemporary C#Christian Rock#"
    u"Merengue#Salsa#Thrash Metal#Anime#JPop#SynthPop";

std::u16string Field(std::span<const std::uint8_t> bytes, const CodePage& codePage) {
  return std::u16string(TrimBlanks(BytesToText(bytes, codePage)));
}

}  // namespace

std::u16string BytesToText(std::span<const std::uint8_t> bytes, const CodePage& codePage) {
  std::u16string text;
  std::size_t runStart = 0;
  auto flush = [&](std::size_t end) {
    text += codePage.Decode(std::string_view(reinterpret_cast<const char*>(bytes.data()) + runStart, end - runStart));
  };
  std::size_t at = 0;
  for (; at < bytes.size() && bytes[at] != 0; ++at) {
    if (bytes[at] != '\r' && bytes[at] != '\n') continue;
    flush(at);
    if (bytes[at] == '\n') text += u"\r\n";
    runStart = at + 1;
  }
  flush(at);
  return text;
}

std::u16string_view GenreName(int number) {
  // Split once, on first use; the table then lasts for the program's run.
  static const std::vector<std::u16string> genres = Split(kGenres, u"#");
  if (number < 0 || static_cast<std::size_t>(number) >= genres.size()) return {};
  return genres[static_cast<std::size_t>(number)];
}

bool ReadID3v1(ReadableFile& file, const CodePage& codePage, ID3Tag& tag) {
  std::uint64_t size = file.Size();
  if (size < kID3v1Size) return false;
  return ReadID3v1(ReadBytes<kID3v1Size>(file, size - kID3v1Size), codePage, tag);
}

bool ReadID3v1(const ID3v1Bytes& bytes, const CodePage& codePage, ID3Tag& tag) {
  if (!StartsWith(bytes, "TAG")) return false;

  std::span<const std::uint8_t> all(bytes);
  tag = ID3Tag();
  tag.Title = Field(all.subspan(3, 30), codePage);
  tag.Artist = Field(all.subspan(33, 30), codePage);
  tag.Album = Field(all.subspan(63, 30), codePage);
  tag.Year = Field(all.subspan(93, 4), codePage);
  if (ID3v1Form(bytes) == 1) {
    tag.Comment = Field(all.subspan(97, 28), codePage);
    tag.Track = ToDecimal(bytes[126]);
  } else {
    tag.Comment = Field(all.subspan(97, 30), codePage);
  }
  tag.Genre = GenreName(bytes[127]);
  return true;
}

bool ReadID3v1(const Files& files, const CodePage& codePage, std::u16string_view path, ID3Tag& tag) {
  std::unique_ptr<ReadableFile> file = OpenSongFile(files, codePage, path);
  return file && ReadID3v1(*file, codePage, tag);
}

}  // namespace lanternfly
