#pragma once

// A song file that counts how it is read, for the tests that hold the
// readers to a few small reads.

#include <memory>
#include <vector>

#include "platform/Files.h"

namespace lanternfly::test {

struct ReadLog {
  int opens = 0;
  std::vector<std::size_t> reads;  // the bytes asked for, one entry a read

  std::size_t Bytes() const {
    std::size_t total = 0;
    for (std::size_t read : reads) total += read;
    return total;
  }
};

class CountingFile final : public ReadableFile {
 public:
  CountingFile(std::unique_ptr<ReadableFile> file, std::shared_ptr<ReadLog> log)
      : file_(std::move(file)), log_(std::move(log)) {
    ++log_->opens;
  }

  std::uint64_t Size() const override { return file_->Size(); }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
    log_->reads.push_back(buffer.size());
    return file_->ReadAt(offset, buffer);
  }

 private:
  std::unique_ptr<ReadableFile> file_;
  std::shared_ptr<ReadLog> log_;
};

}  // namespace lanternfly::test
