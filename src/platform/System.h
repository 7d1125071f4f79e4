#pragma once

// Everything of the machine that the program reaches, in one place: the real
// system on Windows, the simulated one in tests and the demo.

#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/ITunesAutomation.h"
#include "platform/Shell.h"

namespace lanternfly {

struct System {
  Desktop& desktop;  // other programs' windows, and the system code page
  Files& files;
  Shell& shell;
  ITunesAutomation& iTunes;
};

}  // namespace lanternfly
