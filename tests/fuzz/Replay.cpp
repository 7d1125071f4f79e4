// Runs committed fuzz inputs through their targets, without libFuzzer:
//   lanternfly_fuzz_replay TARGET FOLDER...
// Every file in the folders (missing folders count as empty) is one input.
// A broken property aborts with the file's name on stderr.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzTarget.h"

namespace fs = std::filesystem;
using lanternfly::fuzz::kTargets;

int main(int argc, char** argv) {
  const std::string_view name = argc < 2 ? "" : argv[1];
  const auto* target = std::find_if(std::begin(kTargets), std::end(kTargets), [&](const auto& t) { return t.name == name; });
  if (target == std::end(kTargets)) {
    std::fprintf(stderr, "usage: %s TARGET FOLDER... (no fuzz target named \"%s\")\n", argv[0], name.data());
    return 2;
  }
  std::vector<fs::path> inputs;
  for (int i = 2; i < argc; ++i) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(argv[i], error)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& input : inputs) {
    std::ifstream file(input, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Named before the run: a broken property ends the process.
    std::fprintf(stderr, "%s\n", input.string().c_str());
    target->run(bytes);
  }
  std::printf("%s: %zu inputs\n", argv[1], inputs.size());
  return inputs.empty() ? 1 : 0;
}
