#include "platform/sim/FakeiTunes.h"

namespace lanternfly {
namespace {

class Track final : public ITunesTrack {
 public:
  Track(const FakeiTunesTrack& track, const std::set<std::string>& failing) : track_(track), failing_(failing) {}

  std::optional<std::u16string> Album() override { return Get("Album", track_.album); }
  std::optional<std::u16string> Artist() override { return Get("Artist", track_.artist); }
  std::optional<std::int32_t> BitRate() override { return Get("BitRate", track_.bitRate); }
  std::optional<std::int32_t> Duration() override { return Get("Duration", track_.duration); }
  std::optional<std::u16string> Name() override { return Get("Name", track_.name); }
  std::optional<std::int32_t> SampleRate() override { return Get("SampleRate", track_.sampleRate); }
  std::optional<std::int32_t> Size() override { return Get("Size", track_.size); }
  std::optional<std::int32_t> Year() override { return Get("Year", track_.year); }
  std::optional<std::u16string> Genre() override { return Get("Genre", track_.genre); }

 private:
  template <typename T>
  std::optional<T> Get(const std::string& property, const T& value) const {
    if (failing_.count(property) != 0) return std::nullopt;
    return value;
  }

  FakeiTunesTrack track_;
  std::set<std::string> failing_;
};

}  // namespace

bool FakeiTunes::Connect() {
  if (connected) return true;
  if (!installed) return false;
  ++creations;
  connected = true;
  return true;
}

std::unique_ptr<ITunesTrack> FakeiTunes::CurrentTrack() {
  if (!connected || !track || failing.count("CurrentTrack") != 0) return nullptr;
  return std::make_unique<Track>(*track, failing);
}

}  // namespace lanternfly
