#include "message/Random.h"

#include <chrono>

namespace lanternfly {

Random::Random()
    : engine_(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count() ^
                                         std::chrono::system_clock::now().time_since_epoch().count())) {}

double Random::Next() {
  // 32 random bits over 2^32: never reaches 1.
  return static_cast<double>(engine_()) / 4294967296.0;
}

std::int32_t Random::Below(std::int32_t count) {
  if (count <= 0) return 0;
  return static_cast<std::int32_t>(Next() * count);
}

}  // namespace lanternfly
