// The Wine demo's hands (tools/main.sh): it answers Lanternfly's message
// boxes, closes it as a user does, takes pictures of its window and prints
// what the fake chat rooms received.
//
//   lanternfly-demo answer TITLE BUTTON [SECONDS]   waits for the message box,
//                                                   prints it, presses BUTTON
//   lanternfly-demo close TITLE [SECONDS]           closes the window titled
//                                                   TITLE and answers "Yes" to
//                                                   the exit question; waits
//                                                   until its program has ended
//   lanternfly-demo screenshot TITLE FILE.bmp       the window as the screen
//                                                   shows it, frame included
//   lanternfly-demo place TITLE X Y W H...          moves each window (waiting
//                                                   for it), so that none hides
//                                                   another; W or H 0 keeps the size
//   lanternfly-demo rooms ENTRY LOG [ENTRY LOG]...  each room's lines from a
//                                                   fake's log, as the
//                                                   simulated demo prints them
// Exit status 0, or 1 with a message on stderr.

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "MessageBoxes.h"
#include "Screenshot.h"
#include "app/Demo.h"
#include "platform/CodePage.h"
#include "platform/Console.h"
#include "text/Text.h"

namespace lanternfly::demo {
namespace {

constexpr std::u16string_view kExitQuestion = u"Confirm Exit Request";

int Fail(const std::string& message) {
  std::cerr << "lanternfly-demo: " << message << '\n';
  return 1;
}

int Seconds(const std::vector<std::string>& arguments, size_t at, int fallback) {
  const long seconds = at < arguments.size() ? std::strtol(arguments[at].c_str(), nullptr, 10) : 0;
  return seconds > 0 && seconds < 3600 ? static_cast<int>(seconds) : fallback;
}

HWND FindTitled(const std::u16string& title) {
  return FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(title.c_str()));
}

// Waits for the box, prints it as the simulated demo does and presses the button.
int Answer(const std::string& title, int id, int seconds) {
  HWND box = WaitForMessageBox(Utf8ToUtf16(title), seconds * 1000);
  if (box == nullptr) return Fail("no message box \"" + title + "\" within " + std::to_string(seconds) + " s");
  std::cout << "Message box \"" << title << "\": " << Utf16ToUtf8(MessageBoxText(box)) << std::endl;
  if (!PressButton(box, id)) return Fail("the message box \"" + title + "\" has no such button");
  if (!WaitUntilGone(box, seconds * 1000)) return Fail("the message box \"" + title + "\" stays open");
  return 0;
}

int Close(const std::string& title, int seconds) {
  HWND window = FindTitled(Utf8ToUtf16(title));
  if (window == nullptr) return Fail("no window \"" + title + "\"");
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  PostMessageW(window, WM_CLOSE, 0, 0);
  int status = Answer(Utf16ToUtf8(kExitQuestion), IDYES, seconds);
  if (status == 0 && process != nullptr &&
      WaitForSingleObject(process, static_cast<DWORD>(seconds) * 1000) != WAIT_OBJECT_0) {
    status = Fail("\"" + title + "\" still runs after the exit was confirmed");
  }
  if (process != nullptr) CloseHandle(process);
  return status;
}

int TakeScreenshot(const std::string& title, const std::string& file) {
  HWND window = FindTitled(Utf8ToUtf16(title));
  if (window == nullptr || !IsWindowVisible(window)) return Fail("no window \"" + title + "\" on the screen");
  // Over the fakes' windows, and freshly drawn.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  if (!test::CaptureOnScreen(window).SaveBmp(file)) return Fail("cannot write " + file);
  std::cout << "Picture of \"" << title << "\": " << file << std::endl;
  return 0;
}

int Place(const std::vector<std::string>& arguments) {
  const auto number = [&](size_t at) { return static_cast<int>(std::strtol(arguments[at].c_str(), nullptr, 10)); };
  for (size_t i = 1; i + 4 < arguments.size(); i += 5) {
    const std::u16string title = Utf8ToUtf16(arguments[i]);
    HWND window = FindTitled(title);
    for (int waited = 0; window == nullptr && waited < 600; ++waited) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      window = FindTitled(title);
    }
    if (window == nullptr) return Fail("no window \"" + arguments[i] + "\"");
    const int width = number(i + 3), height = number(i + 4);
    SetWindowPos(window, nullptr, number(i + 1), number(i + 2), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (width > 0 && height > 0 ? 0 : SWP_NOSIZE));
  }
  return 0;
}

// A fake's log holds "<room>\t<line>\n" per line sent, in the system code page.
std::vector<std::u16string> LoggedLines(const std::string& log, const CodePage& codePage) {
  std::vector<std::u16string> lines;
  std::ifstream file(log, std::ios::binary);
  for (std::string line; std::getline(file, line);) {
    size_t tab = line.find('\t');
    if (tab != std::string::npos) lines.push_back(codePage.Decode(std::string_view(line).substr(tab + 1)));
  }
  return lines;
}

int Rooms(const std::vector<std::string>& arguments) {
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  for (size_t i = 1; i + 1 < arguments.size(); i += 2) {
    PrintRoomLines(std::cout, Utf8ToUtf16(arguments[i]), LoggedLines(arguments[i + 1], *codePage));
  }
  return 0;
}

int Run(const std::vector<std::string>& arguments) {
  const std::string command = arguments.empty() ? "" : arguments[0];
  const size_t count = arguments.size();
  if (command == "answer" && (count == 3 || count == 4)) {
    const int id = ButtonId(arguments[2]);
    return id == 0 ? Fail("no button \"" + arguments[2] + "\"") : Answer(arguments[1], id, Seconds(arguments, 3, 30));
  }
  if (command == "close" && (count == 2 || count == 3)) return Close(arguments[1], Seconds(arguments, 2, 30));
  if (command == "screenshot" && count == 3) return TakeScreenshot(arguments[1], arguments[2]);
  if (command == "place" && count >= 6 && (count - 1) % 5 == 0) return Place(arguments);
  if (command == "rooms" && count % 2 == 1) return Rooms(arguments);
  return Fail("usage: answer TITLE BUTTON [SECONDS] | close TITLE [SECONDS] | screenshot TITLE FILE"
              " | place TITLE X Y W H [TITLE X Y W H]... | rooms ENTRY LOG [ENTRY LOG]...");
}

}  // namespace
}  // namespace lanternfly::demo

int main(int argc, char** argv) {
  lanternfly::UseBinaryStandardOutput();
  int status = lanternfly::demo::Run(lanternfly::CommandLineArguments(argc, argv));
  std::cout.flush();
  return status;
}
