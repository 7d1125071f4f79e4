// Fakes of the programs Lanternfly works with from the outside, as real
// Windows programs: the media players and the seven chat clients, with the
// window trees, titles, answers and memory the program relies on, and real
// input boxes that "send" a line on Enter the way a chat client does.
//
//   lanternfly-fakes.exe ROLE [options] --ready FILE [--log FILE]
//
// ROLE winamp  --title T --path P [--length S] [--position MS] [--bitrate N]
//              [--channels N] [--hz N] [--khz N] [--list N] [--pos N]
//              [--next-title T --next-path P --after MS] (MS milliseconds
//              after the first query the next song plays, with title T
//              and path P, one place further down the playlist)
//      foobar  --title T [--plugin] (with --plugin also winamp's options, the
//              plug-in's window titled by --winamp-title)
//      vlc     --title T
//      itunes  [--coverflow]
//      chat    CLIENT [--room NAME]... [--channel-list] [--slow-keys MS]
//              CLIENT: winmx metis robomx ouka rabbit nushi zcb; with
//              --slow-keys an Enter posted to a box is taken MS milliseconds
//              after it arrives, while sent messages are answered at once

// Once every window exists the fake writes FILE: "main <hwnd>", one
// "room <hwnd of the room> <hwnd of its input box> <name>" per room, for a
// Winamp "address <hex>" of the playing file's path in its memory, and
// "acp <n>", the ANSI code page it runs with (its texts are 8-bit). Every
// line an input box sends is appended to the log as "<name>\t<line>\n". A
// message WM_APP (0x8000) posted to the main window makes the program stop
// answering for wParam milliseconds.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

HINSTANCE instance;
std::string logPath;

struct Options {
  std::string role;
  std::string client;
  std::vector<std::string> rooms;
  std::map<std::string, std::string> values;  // --name value
  std::map<std::string, bool> flags;          // --name

  std::string Text(const std::string& name, const std::string& fallback = "") const {
    auto found = values.find(name);
    return found == values.end() ? fallback : found->second;
  }
  long Number(const std::string& name, long fallback) const {
    auto found = values.find(name);
    return found == values.end() ? fallback : std::strtol(found->second.c_str(), nullptr, 10);
  }
};

Options Parse(int argc, char** argv) {
  Options options;
  if (argc > 1) options.role = argv[1];
  int i = 2;
  if (options.role == "chat" && argc > 2) options.client = argv[i++];
  for (; i < argc; ++i) {
    std::string name = argv[i];
    if (name.rfind("--", 0) != 0) continue;
    name = name.substr(2);
    bool flag = name == "plugin" || name == "coverflow" || name == "channel-list";
    if (flag) {
      options.flags[name] = true;
    } else if (i + 1 < argc) {
      if (name == "room") options.rooms.push_back(argv[++i]);
      else options.values[name] = argv[++i];
    }
  }
  return options;
}

// Lines for the ready file.
std::string readyText;
void Ready(const std::string& line) { readyText += line + "\n"; }
std::string Handle(HWND window) { return std::to_string(reinterpret_cast<std::uintptr_t>(window)); }

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------- Winamp --

struct Winamp {
  long length, position, bitrate, channels, hertz, kilohertz, listLength, listPosition;
  std::uintptr_t pathAddress = 0;
};
Winamp winamp;

struct NextSong {
  std::string title, path;
  long after = -1;  // ms, counted from the first query, so that a reader that starts late still sees both songs
};
NextSong nextSong;
constexpr std::size_t kPathMemory = 4096;
constexpr UINT_PTR kNextSongTimer = 1;

void PlayNextSong(HWND window) {
  KillTimer(window, kNextSongTimer);
  SetWindowTextA(window, nextSong.title.c_str());
  std::memcpy(reinterpret_cast<void*>(winamp.pathAddress), nextSong.path.c_str(),
              std::min(nextSong.path.size() + 1, kPathMemory));
  ++winamp.listPosition;
  winamp.position = 0;
}

LRESULT CALLBACK WinampProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kNextSongTimer) {
    PlayNextSong(window);
    return 0;
  }
  if (message != WM_USER) return MainProcedure(window, message, wParam, lParam);
  if (nextSong.after >= 0) {
    SetTimer(window, kNextSongTimer, static_cast<UINT>(nextSong.after), nullptr);
    nextSong.after = -1;
  }
  switch (lParam) {
    case 105: return wParam == 1 ? winamp.length : winamp.position;
    case 124: return winamp.listLength;
    case 125: return winamp.listPosition;
    case 126:
      switch (wParam) {
        case 0: return winamp.kilohertz;
        case 1: return winamp.bitrate;
        case 2: return winamp.channels;
        case 5: return winamp.hertz;
        default: return 0;
      }
    case 211:
      return static_cast<long>(wParam) == winamp.listPosition ? static_cast<LRESULT>(winamp.pathAddress) : 0;
    default:
      return 0;
  }
}

void MakeWinamp(const Options& options) {
  winamp = {options.Number("length", 200),   options.Number("position", 12345), options.Number("bitrate", 128),
            options.Number("channels", 2),   options.Number("hz", 44100),       options.Number("khz", 44),
            options.Number("list", 3),       options.Number("pos", 2)};
  if (options.values.count("next-title") != 0) {
    nextSong = {options.Text("next-title"), options.Text("next-path"), options.Number("after", 0)};
  }
  // The path lies as high in memory as it can, above 2 GiB where the
  // program runs with a large address space, so a sign-extended address
  // would miss it.
  void* memory = VirtualAlloc(nullptr, kPathMemory, MEM_COMMIT | MEM_RESERVE | MEM_TOP_DOWN, PAGE_READWRITE);
  std::string path = options.Text("path");
  std::memcpy(memory, path.c_str(), std::min(path.size() + 1, kPathMemory));
  winamp.pathAddress = reinterpret_cast<std::uintptr_t>(memory);

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WinampProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "Winamp v1.x";
  RegisterClassA(&windowClass);
  // foobar2000's plug-in titles its window apart from foobar2000's own.
  std::string title = options.Text("winamp-title", options.Text("title"));
  HWND window = CreateWindowExA(0, "Winamp v1.x", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 275, 116,
                                nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  Ready("main " + Handle(window));
  char address[32];
  std::snprintf(address, sizeof address, "address %llx", static_cast<unsigned long long>(winamp.pathAddress));
  Ready(address);
}

// ------------------------------------------------------- other players --

HWND TopLevel(const char* className, const std::string& title) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = MainProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                instance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

HWND Child(HWND parent, const char* className, const char* title, DWORD style = 0) {
  return CreateWindowExA(0, className, title, WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 20, parent, nullptr, instance,
                         nullptr);
}

// ------------------------------------------------------- chat clients --

struct Box {
  std::string room;
  WNDPROC original;
};
std::map<HWND, Box> boxes;

// An input box sends its text on Enter and empties itself, as a chat client does.
LRESULT CALLBACK InputBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const Box& known = boxes.at(box);
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    char text[2048] = {};
    GetWindowTextA(box, text, sizeof text);
    if (FILE* log = std::fopen(logPath.c_str(), "ab")) {
      std::fprintf(log, "%s\t%s\n", known.room.c_str(), text);
      std::fclose(log);
    }
    SetWindowTextA(box, "");
    return 0;
  }
  return CallWindowProcA(known.original, box, message, wParam, lParam);
}

HWND InputBox(HWND parent, const char* className, const std::string& room) {
  HWND box = Child(parent, className, "", ES_AUTOHSCROLL);
  auto original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InputBoxProcedure)));
  boxes[box] = Box{room, original};
  return box;
}

// A pane of the dialog class, as the clients put their controls in.
HWND Pane(HWND parent) { return Child(parent, "#32770", ""); }

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND mdiClient;

LRESULT CALLBACK RoomProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefMDIChildProcA(window, message, wParam, lParam);
}

HWND Frame(const std::string& title) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FrameProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "LanternflyFakeFrame";
  RegisterClassA(&windowClass);
  HWND frame = CreateWindowExA(0, "LanternflyFakeFrame", title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                               640, 480, nullptr, nullptr, instance, nullptr);
  Child(frame, "ToolbarWindow32", "");
  CLIENTCREATESTRUCT create{nullptr, 1000};
  mdiClient = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 30, 640, 400,
                              frame, nullptr, instance, &create);
  ShowWindow(frame, SW_SHOWNOACTIVATE);
  return frame;
}

HWND MdiRoom(const char* className, const std::string& title) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RoomProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);  // once per class; later calls fail harmlessly
  return CreateMDIWindowA(className, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, mdiClient,
                          instance, 0);
}

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    Sleep(static_cast<DWORD>(wParam));
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefFrameProcA(window, mdiClient, message, wParam, lParam);
}

void MakeChat(const Options& options) {
  const std::string& client = options.client;
  if (client == "winmx") {
    HWND main = TopLevel("LanternflyFakeWinMX", "WinMX v3.54 beta 4");
    Child(main, "Static", "Connected");
    Ready("main " + Handle(main));
    WNDCLASSA roomClass{};
    roomClass.lpfnWndProc = DefWindowProcA;
    roomClass.hInstance = instance;
    roomClass.lpszClassName = "LanternflyFakeWinMXRoom";
    RegisterClassA(&roomClass);
    for (const std::string& name : options.rooms) {
      HWND room = Child(main, "LanternflyFakeWinMXRoom", (name + " on WinMX Peer Network").c_str());
      Child(room, "RichEdit20A", "", ES_MULTILINE | ES_READONLY);
      HWND box = InputBox(room, "Edit", name);
      Ready("room " + Handle(room) + " " + Handle(box) + " " + name);
    }
    return;
  }
  if (client == "zcb") {
    HWND main = TopLevel("LanternflyFakeZCB", "ZCB V2.1");
    Ready("main " + Handle(main));
    HWND c1 = Pane(main);
    Child(c1, "RichEdit20A", "", ES_MULTILINE | ES_READONLY);
    HWND c3 = Pane(c1);
    HWND box = InputBox(c3, "Edit", "Zenar Chat Bot");
    Child(c3, "Button", "Send");
    Ready("room " + Handle(main) + " " + Handle(box) + " Zenar Chat Bot");
    return;
  }
  const char* title = client == "metis"    ? "Metis 2.84"
                      : client == "robomx" ? "RoboMX 1.0"
                      : client == "ouka"   ? "Ouka Chat Client v1.2"
                      : client == "rabbit" ? "Rabbit v1.3"
                                           : "NushiClient 0.9";
  const char* roomClass = client == "ouka"     ? "OukaMDICHAT"
                          : client == "rabbit" ? "WPNCLIENT"
                          : client == "nushi"  ? "Afx:400000:b:10011"
                                               : "LanternflyFakeMetisRoom";
  HWND frame = Frame(title);
  Ready("main " + Handle(frame));
  std::vector<std::string> names = options.rooms;
  if (options.flags.count("channel-list") != 0) names.insert(names.begin(), "Channel List");
  for (const std::string& name : names) {
    bool metisLike = client == "metis" || client == "robomx";
    HWND room = MdiRoom(roomClass, metisLike ? name + " (12) [users]" : name);
    HWND box;
    if (client == "rabbit") {
      Child(room, "ListBox", "");
      box = InputBox(room, "RichEdit20A", name);
    } else {
      HWND pane = Pane(room);
      Child(pane, "RichEdit20A", "", ES_MULTILINE | ES_READONLY);
      box = InputBox(pane, "Edit", name);
    }
    Ready("room " + Handle(room) + " " + Handle(box) + " " + name);
  }
}

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    Sleep(static_cast<DWORD>(wParam));
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  instance = GetModuleHandleA(nullptr);
  LoadLibraryA("riched20.dll");
  Options options = Parse(argc, argv);
  logPath = options.Text("log", "NUL");
  if (options.role == "winamp") {
    MakeWinamp(options);
  } else if (options.role == "foobar") {
    HWND main = TopLevel("{97E27FAA-C0B3-4b8e-A693-ED7881E99FC1}", options.Text("title"));
    if (options.flags.count("plugin") != 0) MakeWinamp(options);
    Ready("main " + Handle(main));
  } else if (options.role == "vlc") {
    Ready("main " + Handle(TopLevel("Qt5QWindowIcon", options.Text("title"))));
  } else if (options.role == "itunes") {
    HWND main = TopLevel("iTunes", "iTunes");
    Child(main, "Static", "Sources");
    if (options.flags.count("coverflow") != 0) Child(main, "Static", "iTunes cover flow");
    Ready("main " + Handle(main));
  } else if (options.role == "chat") {
    MakeChat(options);
  } else {
    std::fprintf(stderr, "lanternfly-fakes: unknown role\n");
    return 2;
  }
  Ready("acp " + std::to_string(GetACP()));
  // Written at once, so the test never reads half of it.
  std::string ready = options.Text("ready");
  std::string partial = ready + ".part";
  if (FILE* file = std::fopen(partial.c_str(), "wb")) {
    std::fputs(readyText.c_str(), file);
    std::fclose(file);
    MoveFileExA(partial.c_str(), ready.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  const long slowKeys = options.Number("slow-keys", 0);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (slowKeys > 0 && message.message == WM_KEYDOWN && boxes.count(message.hwnd) != 0) {
      // Busy before the key: what others send is answered, what they post waits.
      const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(slowKeys);
      for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_SENDMESSAGE);
        MSG sent;
        PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
