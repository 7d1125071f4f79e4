#pragma once

// The user's settings, as the program holds them for its whole run.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace lanternfly {

// A word list: 100 numbered slots (slot 1 is [0]); an empty slot holds no word.
inline constexpr int kWordSlots = 100;
inline constexpr std::size_t kChosenRooms = 100;
using WordSlots = std::array<std::u16string, kWordSlots>;

struct Settings {
  // The values before anything is read: false and empty, except the seven
  // scan switches, which are on so that a settings file without them still
  // lists every client's rooms.
  bool SendToAll = false;
  bool ShowTrayIcon = false;
  bool HideOnMinimize = false;
  bool AutoDisplay = false;
  bool InterruptionProtection = false;
  bool AutoRefresh = false;
  bool ScanWinMX = true;
  bool ScanRobo = true;
  bool ScanMetis = true;
  bool ScanNushi = true;
  bool ScanOuka = true;
  bool ScanRabbit = true;
  bool ScanZCB = true;
  std::u16string SelectedPlayer;   // "Winamp", "iTunes", "Foobar" or "VLC"
  std::u16string DisplayFormat;    // the display message template
  std::u16string RadioCutoffText;  // cut from song titles; empty: no cut
  WordSlots RandomWords;
  WordSlots FilterWords;
  // The rooms chosen for "Send to Selected Channels Only", each as its room
  // list entry ("[" tag "] " name), at most kChosenRooms.
  std::vector<std::u16string> SelectedRooms;

  bool operator==(const Settings&) const = default;
};

}  // namespace lanternfly
