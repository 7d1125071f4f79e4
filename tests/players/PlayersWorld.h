#pragma once

// A simulated desktop with song files in memory, for the player tests.

#include "platform/Desktop.h"
#include "platform/sim/FakePlayers.h"
#include "platform/sim/FakeiTunes.h"
#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "players/PlayerReaders.h"

namespace lanternfly::test {

struct PlayersWorld {
  SimDesktop sim;
  std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
  Desktop desktop{sim, *codePage};
  MemoryFiles files;
  FakeiTunes iTunes;
  PlayerReaders readers{desktop, files, iTunes};
};

// An MP3 of `size` bytes at 128 kbit/s whose last 128 bytes are an ID3v1.1
// tag: title, artist, album X, year Y, genre Rock, track 7.
inline std::vector<std::uint8_t> TaggedSong(std::size_t size, std::string_view title, std::string_view artist) {
  std::vector<std::uint8_t> bytes(size, 0);
  bytes[0] = 0xFF, bytes[1] = 0xFB, bytes[2] = 0x90, bytes[3] = 0x44;
  auto put = [&](std::size_t at, std::string_view text) { std::copy(text.begin(), text.end(), bytes.begin() + at); };
  std::size_t tag = size - 128;
  put(tag, "TAG");
  put(tag + 3, title);
  put(tag + 33, artist);
  put(tag + 63, "X");
  put(tag + 93, "Y");
  bytes[tag + 126] = 7;
  bytes[tag + 127] = 17;
  return bytes;
}

}  // namespace lanternfly::test
