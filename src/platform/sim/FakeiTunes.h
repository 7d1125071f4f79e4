#pragma once

// iTunes' automation interface, simulated: a current track whose reads can
// be made to fail one by one, and a creation that can fail.

#include <set>
#include <string>

#include "platform/ITunesAutomation.h"

namespace lanternfly {

struct FakeiTunesTrack {
  std::u16string album, artist, name, genre;
  std::int32_t bitRate = 0, duration = 0, sampleRate = 0, size = 0, year = 0;
};

class FakeiTunes final : public ITunesAutomation {
 public:
  bool Connect() override;
  std::unique_ptr<ITunesTrack> CurrentTrack() override;

  bool installed = true;                  // the application object can be created
  std::optional<FakeiTunesTrack> track;   // what plays; nothing: no current track
  std::set<std::string> failing;          // properties whose read fails ("Album", ...)
  int creations = 0;                      // how many times the object was created
  bool connected = false;
};

}  // namespace lanternfly
