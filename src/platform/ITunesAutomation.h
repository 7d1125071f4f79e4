#pragma once

// The seam to iTunes' automation interface: its application object and the
// properties of the current track that the program reads. Every read may
// fail on its own; nothing here throws.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace lanternfly {

class ITunesTrack {
 public:
  virtual ~ITunesTrack() = default;
  virtual std::optional<std::u16string> Album() = 0;
  virtual std::optional<std::u16string> Artist() = 0;
  virtual std::optional<std::int32_t> BitRate() = 0;
  virtual std::optional<std::int32_t> Duration() = 0;  // seconds
  virtual std::optional<std::u16string> Name() = 0;
  virtual std::optional<std::int32_t> SampleRate() = 0;
  virtual std::optional<std::int32_t> Size() = 0;  // bytes
  virtual std::optional<std::int32_t> Year() = 0;
  virtual std::optional<std::u16string> Genre() = 0;
};

class ITunesAutomation {
 public:
  virtual ~ITunesAutomation() = default;

  // Makes sure the application object exists: created on first use, kept
  // for the run, and created again on the next call after a failure.
  // False when it cannot be created (iTunes is not installed, say).
  virtual bool Connect() = 0;

  // The track iTunes plays, or nullptr when there is none, the request
  // failed, or there is no application object.
  virtual std::unique_ptr<ITunesTrack> CurrentTrack() = 0;
};

// iTunes on this machine; in a build without COM one that never connects.
std::unique_ptr<ITunesAutomation> SystemITunes();

}  // namespace lanternfly
