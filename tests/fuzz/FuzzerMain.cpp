// libFuzzer's entry point for one target, chosen when this file is compiled
// (LANTERNFLY_FUZZ_TARGET is the target's function).

#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lanternfly::fuzz::LANTERNFLY_FUZZ_TARGET(lanternfly::fuzz::Input(data, size));
  return 0;
}
