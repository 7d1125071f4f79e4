// Song files for the native build, on POSIX file descriptors.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/Files.h"

namespace lanternfly {
namespace {

class PosixFile final : public ReadableFile {
 public:
  PosixFile(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}
  ~PosixFile() override { close(descriptor_); }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  std::uint64_t Size() const override { return size_; }

  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
    std::size_t done = 0;
    while (done < buffer.size()) {
      if (offset + done > static_cast<std::uint64_t>(INT64_MAX)) break;
      ssize_t got = pread(descriptor_, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    return done;
  }

 private:
  int descriptor_;
  std::uint64_t size_;
};

class PosixFiles final : public Files {
 public:
  std::unique_ptr<ReadableFile> OpenExisting(std::string_view path) const override {
    std::string terminated(path);
    if (terminated.find('\0') != std::string::npos) return nullptr;
    int descriptor = open(terminated.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
      close(descriptor);
      return nullptr;
    }
    return std::make_unique<PosixFile>(descriptor, static_cast<std::uint64_t>(status.st_size));
  }

  // POSIX has no share modes: nobody can keep a file from being read.
  std::unique_ptr<ReadableFile> OpenShared(std::string_view path) const override { return OpenExisting(path); }

  bool Exists(std::string_view path) const override {
    std::string terminated(path);
    if (terminated.find('\0') != std::string::npos) return false;
    struct stat status;
    if (lstat(terminated.c_str(), &status) == 0) return true;
    // Only these say there is nothing; a folder we may not search could hide a file.
    return errno != ENOENT && errno != ENOTDIR;
  }

  bool Rename(std::string_view from, std::string_view to) override {
    std::string source(from), target(to);
    if (source.find('\0') != std::string::npos || target.find('\0') != std::string::npos) return false;
    return rename(source.c_str(), target.c_str()) == 0;
  }

  bool Replace(std::string_view path, std::string_view bytes) override {
    std::string target(path);
    if (target.find('\0') != std::string::npos) return false;
    std::string fresh = target + ".new";
    int descriptor = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) return false;
    bool written = true;
    for (std::size_t done = 0; written && done < bytes.size();) {
      ssize_t put = write(descriptor, bytes.data() + done, bytes.size() - done);
      if (put < 0 && errno == EINTR) continue;
      written = put > 0;
      if (written) done += static_cast<std::size_t>(put);
    }
    written = fsync(descriptor) == 0 && written;
    written = close(descriptor) == 0 && written;
    if (!written || rename(fresh.c_str(), target.c_str()) != 0) {
      unlink(fresh.c_str());
      return false;
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<Files> SystemFiles() { return std::make_unique<PosixFiles>(); }

}  // namespace lanternfly
