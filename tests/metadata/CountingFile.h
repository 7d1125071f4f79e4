#pragma once

// Song files that count how they are opened and read, for the tests that
// hold the readers to a few small reads.

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

// Files whose song files count how they are opened and read.
class CountingFiles final : public Files {
 public:
  explicit CountingFiles(Files& files) : files_(files) {}
  std::unique_ptr<ReadableFile> OpenExisting(std::string_view path) const override {
    return Counted(files_.OpenExisting(path));
  }
  std::unique_ptr<ReadableFile> OpenShared(std::string_view path) const override {
    return Counted(files_.OpenShared(path));
  }
  bool Exists(std::string_view path) const override { return files_.Exists(path); }
  bool Replace(std::string_view path, std::string_view bytes) override { return files_.Replace(path, bytes); }
  bool Rename(std::string_view from, std::string_view to) override { return files_.Rename(from, to); }

  std::shared_ptr<ReadLog> log = std::make_shared<ReadLog>();

 private:
  std::unique_ptr<ReadableFile> Counted(std::unique_ptr<ReadableFile> file) const {
    if (!file) return nullptr;
    return std::make_unique<CountingFile>(std::move(file), log);
  }
  Files& files_;
};

}  // namespace lanternfly::test
