#pragma once

// Starts one of the fake outside programs (fakes/FakePrograms.cpp) as a real
// process, waits until its windows exist, and ends it again.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/WindowApi.h"

namespace lanternfly::test {

class FakeProgram {
 public:
  struct Room {
    WindowHandle window;
    WindowHandle box;
    std::string name;
  };

  explicit FakeProgram(const std::string& arguments) {
    static int count = 0;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string stem = std::string(folder) + "lanternfly-fake-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(++count);
    ready_ = stem + ".ready";
    log_ = stem + ".log";
    std::string command = "\"" LANTERNFLY_FAKES "\" " + arguments + " --ready \"" + ready_ + "\" --log \"" + log_ + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
      return;
    }
    CloseHandle(process_.hThread);
    for (int waited = 0; waited < 300 && !ReadReady(); ++waited) Sleep(100);
  }

  ~FakeProgram() {
    if (process_.hProcess == nullptr) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    DeleteFileA(ready_.c_str());
    DeleteFileA(log_.c_str());
  }

  FakeProgram(const FakeProgram&) = delete;
  FakeProgram& operator=(const FakeProgram&) = delete;

  bool Started() const { return main != kNoWindow; }

  // The lines the room's input box sent, in order. The Enter that sends a
  // line is posted, so it may still be on its way: this waits for at least
  // `expected` lines, up to 12 s (a poll comes every 5 s).
  std::vector<std::string> Sent(const std::string& room, std::size_t expected = 0) const {
    std::vector<std::string> lines;
    for (int waited = 0; waited < 120; ++waited) {
      lines.clear();
      std::ifstream file(log_, std::ios::binary);
      for (std::string line; std::getline(file, line);) {
        std::size_t tab = line.find('\t');
        if (tab != std::string::npos && line.substr(0, tab) == room) lines.push_back(line.substr(tab + 1));
      }
      if (lines.size() >= expected) break;
      Sleep(100);
    }
    return lines;
  }

  // The program stops answering for that long; back once it has fallen asleep.
  void Hang(int milliseconds) const {
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(main));
    PostMessageA(window, WM_APP, milliseconds, 0);
    DWORD_PTR result = 0;
    for (int asked = 0; asked < 100 && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 50, &result); ++asked) {
    }
  }

  WindowHandle main{};
  std::vector<Room> rooms;
  std::uint64_t address = 0;
  unsigned codePage = 0;  // the ANSI code page the program runs with

 private:
  bool ReadReady() {
    std::ifstream file(ready_, std::ios::binary);
    if (!file) return false;
    for (std::string line; std::getline(file, line);) {
      std::istringstream words(line);
      std::string kind;
      words >> kind;
      std::uint64_t window = 0, box = 0;
      if (kind == "main") {
        words >> window;
        main = WindowHandle{window};
      } else if (kind == "room") {
        words >> window >> box;
        std::string name;
        std::getline(words >> std::ws, name);
        rooms.push_back({WindowHandle{window}, WindowHandle{box}, name});
      } else if (kind == "address") {
        words >> std::hex >> address;
      } else if (kind == "acp") {
        words >> codePage;
      }
    }
    return main != kNoWindow;
  }

  std::string ready_;
  std::string log_;
  PROCESS_INFORMATION process_{};
};

}  // namespace lanternfly::test
