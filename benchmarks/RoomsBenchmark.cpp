// What the rooms cost on the simulated desktop: one song-poll tick that
// announces a new song (Winamp playing, the settings of a fresh setup: send
// to all, protection on, the list rebuilt on every tick) with rooms of all
// seven clients or with Zenar Chat Bot windows, and a room scan that keeps a
// selection; and the tick once more with the WinMX client hung. The counter
// window_calls is the number of window-API calls per tick (on Windows each
// one may cross into another program), waits the number of sent messages
// that waited out the 2-s bound. Instructions:
//   valgrind --tool=callgrind --toggle-collect='*CheckSong_Timer*'
//     build/native/benchmarks/lanternfly_benchmarks --benchmark_filter='SongTick/100$'
// (one command line), then divide the Ir total by the number of calls of
// CheckSong_Timer that the benchmark made (callgrind's call counts; the
// warm-up runs count too). For the scan, '*RefreshRoomList*' and the filter
// RefreshKeepingSelection.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/HeadlessMainWindow.h"
#include "app/MainForm.h"
#include "platform/sim/FakeChatClients.h"
#include "platform/sim/FakePlayers.h"
#include "platform/sim/SimSystem.h"
#include "rooms/RoomScanner.h"

namespace lanternfly {
namespace {

using Kind = FakeChatClient::Kind;

constexpr Kind kKinds[] = {Kind::kWinMX, Kind::kMetis, Kind::kRoboMX, Kind::kOuka, Kind::kRabbit, Kind::kNushi};

// Each of the seven clients running once: Zenar Chat Bot with its one room,
// the other rooms dealt to the six others in turn. Or only bots, each one a
// program and a room of its own.
class ChatDesktop {
 public:
  ChatDesktop(SimDesktop& sim, int rooms, bool onlyBots) {
    for (int i = 0; i < rooms; ++i) {
      Kind kind = onlyBots || i == rooms - 1 ? Kind::kZCB : kKinds[i % 6];
      if (kind == Kind::kZCB) {
        bots_.push_back(std::make_unique<FakeChatClient>(sim, kind));
        continue;
      }
      auto& client = clients_[static_cast<int>(kind)];
      if (!client) client = std::make_unique<FakeChatClient>(sim, kind);
      client->OpenRoom("Room " + std::to_string(i));
    }
  }

  // The WinMX client's process, 0 without one.
  std::uint32_t WinMXProcess() const { return clients_[0] ? clients_[0]->ProcessId() : 0; }

 private:
  std::unique_ptr<FakeChatClient> clients_[7];
  std::vector<std::unique_ptr<FakeChatClient>> bots_;
};

// The program started on a desktop with Winamp and the rooms.
struct TickWorld {
  TickWorld(int rooms, bool onlyBots) : chat(machine.sim, rooms, onlyBots) {
    winamp.Play(playlist, 0);
    form.Form_Load();
  }

  SimSystem machine;
  HeadlessMainWindow window;
  AppState state;
  Random random{7};
  FakeWinamp winamp{machine.sim};
  std::vector<WinampTrack> playlist = {{"C:\\Music\\a.mp3", "Artist - First"}, {"C:\\Music\\b.mp3", "Artist - Second"}};
  ChatDesktop chat;
  MainForm form{machine.system, window, state, u"C:\\Lanternfly\\settings.ini", random};
};

void RunTicks(benchmark::State& state, bool onlyBots, bool winmxHangs = false) {
  TickWorld world(static_cast<int>(state.range(0)), onlyBots);
  if (winmxHangs) world.machine.sim.SetHung(world.chat.WinMXProcess(), true);
  int position = 0;
  int calls = 0;
  for (auto _ : state) {
    position ^= 1;
    world.winamp.Play(world.playlist, position);  // a new song on every tick
    int before = world.machine.sim.Calls();
    world.form.CheckSong_Timer();
    calls += world.machine.sim.Calls() - before;
  }
  state.counters["window_calls"] = benchmark::Counter(calls, benchmark::Counter::kAvgIterations);
  state.counters["waits"] = benchmark::Counter(world.machine.sim.TimedOut(), benchmark::Counter::kAvgIterations);
}

void SongTick(benchmark::State& state) { RunTicks(state, false); }
void SongTickZenarBots(benchmark::State& state) { RunTicks(state, true); }
void SongTickHungWinMX(benchmark::State& state) { RunTicks(state, false, true); }

// A refresh that finds every room again, all of them selected.
void RefreshKeepingSelection(benchmark::State& state) {
  SimSystem machine;
  ChatDesktop chat(machine.sim, static_cast<int>(state.range(0)), false);
  Settings settings;
  ListModel list;
  list.Mode = ListModel::SelectMode::kMultiple;
  RoomScanner scanner(machine.desktop, list, settings);
  scanner.RefreshRoomList();
  for (int i = 0; i < list.ListCount(); ++i) list.SetItemSelected(i, true);
  for (auto _ : state) {
    scanner.RefreshRoomList();
    benchmark::DoNotOptimize(list.SelectedCount());
  }
}

BENCHMARK(SongTick)->Arg(0)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(SongTickZenarBots)->Arg(1)->Arg(20)->Unit(benchmark::kMicrosecond);
BENCHMARK(SongTickHungWinMX)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(RefreshKeepingSelection)->Arg(250)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lanternfly
