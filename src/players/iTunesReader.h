#pragma once

// iTunes is followed through its automation interface, not its windows.

#include "platform/Desktop.h"
#include "platform/ITunesAutomation.h"
#include "players/SongInformation.h"

namespace lanternfly {

// The record of the track iTunes plays: inactive when there is none. A read
// that fails leaves only its field empty; no defaults are applied.
SongInformation ReadiTunesSong(ITunesAutomation& iTunes, Desktop& desktop);

}  // namespace lanternfly
