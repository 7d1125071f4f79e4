// The native build has no COM: iTunes is never there.

#include "platform/ITunesAutomation.h"

namespace lanternfly {
namespace {

class NoITunes final : public ITunesAutomation {
 public:
  bool Connect() override { return false; }
  std::unique_ptr<ITunesTrack> CurrentTrack() override { return nullptr; }
};

}  // namespace

std::unique_ptr<ITunesAutomation> SystemITunes() { return std::make_unique<NoITunes>(); }

}  // namespace lanternfly
