#pragma once

// The program's pseudo-random numbers: names for nameless patterns and the
// random word. Seeded from the clock unless a test gives a seed.

#include <cstdint>
#include <random>

namespace lanternfly {

class Random {
 public:
  Random();
  explicit Random(std::uint32_t seed) : engine_(seed) {}

  // A number r with 0 <= r < 1.
  double Next();

  // The whole part of r x count: 0 to count - 1 (0 when count is not positive).
  std::int32_t Below(std::int32_t count);

 private:
  std::mt19937 engine_;
};

}  // namespace lanternfly
