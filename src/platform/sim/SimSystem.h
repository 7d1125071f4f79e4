#pragma once

// A whole simulated machine as the program sees it: a desktop in the 1252
// code page, files in memory, the shell and iTunes, bundled as the System
// the program's logic takes. Test, benchmark and demo support.

#include <memory>

#include "platform/Desktop.h"
#include "platform/System.h"
#include "platform/sim/FakeiTunes.h"
#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimShell.h"

namespace lanternfly {

struct SimSystem {
  SimDesktop sim;
  std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
  Desktop desktop{sim, *codePage};
  MemoryFiles files;
  SimShell shell;
  FakeiTunes iTunes;
  System system{desktop, files, shell, iTunes};
};

}  // namespace lanternfly
