// Song files and the settings file on Windows' 8-bit file calls.

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/Files.h"

namespace lanternfly {
namespace {

class Win32File final : public ReadableFile {
 public:
  Win32File(HANDLE handle, std::uint64_t size) : handle_(handle), size_(size) {}
  ~Win32File() override { CloseHandle(handle_); }
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;

  std::uint64_t Size() const override { return size_; }

  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
    LONG high = static_cast<LONG>(offset >> 32);
    DWORD low = SetFilePointer(handle_, static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return 0;
    std::size_t done = 0;
    while (done < buffer.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - done, 1 << 30));
      DWORD got = 0;
      if (!ReadFile(handle_, buffer.data() + done, chunk, &got, nullptr) || got == 0) break;
      done += got;
    }
    return done;
  }

 private:
  HANDLE handle_;
  std::uint64_t size_;
};

class Win32Files final : public Files {
 public:
  std::unique_ptr<ReadableFile> OpenExisting(std::string_view path) const override {
    return Open(path, FILE_SHARE_READ);
  }

  std::unique_ptr<ReadableFile> OpenShared(std::string_view path) const override {
    return Open(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  }

  bool Exists(std::string_view path) const override {
    std::string name(path);
    if (name.find('\0') != std::string::npos) return false;
    if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    // Only these say there is nothing; a denied or locked look could hide a file.
    DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
  }

  bool Rename(std::string_view from, std::string_view to) override {
    std::string source(from), target(to);
    if (source.find('\0') != std::string::npos || target.find('\0') != std::string::npos) return false;
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool Replace(std::string_view path, std::string_view bytes) override {
    std::string target(path);
    if (target.find('\0') != std::string::npos) return false;
    std::string fresh = target + ".new";
    HANDLE handle = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool written = true;
    for (std::size_t done = 0; written && done < bytes.size();) {
      DWORD put = 0;
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 30));
      written = WriteFile(handle, bytes.data() + done, chunk, &put, nullptr) && put > 0;
      done += put;
    }
    written = FlushFileBuffers(handle) && written;
    written = CloseHandle(handle) && written;
    if (!written || !MoveFileExA(fresh.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      DeleteFileA(fresh.c_str());
      return false;
    }
    return true;
  }

 private:
  static std::unique_ptr<ReadableFile> Open(std::string_view path, DWORD sharing) {
    std::string name(path);
    if (name.find('\0') != std::string::npos) return nullptr;
    HANDLE handle =
        CreateFileA(name.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    DWORD high = 0;
    DWORD low = GetFileSize(handle, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
      CloseHandle(handle);
      return nullptr;
    }
    return std::make_unique<Win32File>(handle, (std::uint64_t{high} << 32) | low);
  }
};

}  // namespace

std::unique_ptr<Files> SystemFiles() { return std::make_unique<Win32Files>(); }

}  // namespace lanternfly
