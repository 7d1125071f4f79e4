#include "players/PlayerDetection.h"

namespace lanternfly {

PlayerCaptions DetectPlayers(PlayerReaders& readers) {
  PlayerCaptions captions;
  captions.VLC = readers.FindVLCTitle() == u"NULL" ? u"VLC (OFF)" : u"VLC (ON)";

  if (readers.IsFoobarOpen()) {
    captions.Foobar = readers.ReadFoobarSong().Active ? u"Foobar (ON)" : u"Foobar (No Plugin)";
  } else {
    captions.Foobar = u"Foobar (OFF)";
  }

  // With foobar2000 about, a "Winamp v1.x" window is taken for its plug-in.
  bool foobar = readers.IsFoobarOpen();
  bool winampWindow = readers.Winamp().IsWinampOpen() != 0;
  if (!winampWindow) {
    captions.Winamp = u"Winamp (OFF)";
  } else {
    captions.Winamp = foobar ? kWinampCloneCaption : u"Winamp (ON)";
  }

  captions.iTunes = readers.IsiTunesOpen() ? u"iTunes (ON)" : u"iTunes (OFF)";
  return captions;
}

}  // namespace lanternfly
