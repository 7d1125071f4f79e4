// The song poll's cost per tick on the simulated desktop, with Winamp playing
// a 4 MB song file held in memory and one WinMX room open:
//   PollNoNewSong  the song has not changed (AutoRefresh off), the tick that
//                  runs every 5 s for as long as the program runs;
//   PollNewSong    each tick finds another song and announces it.
// Window calls per tick are reported beside the time. Instructions per tick:
//   valgrind --tool=callgrind --toggle-collect='*CheckSong_Timer*'
//     build/native/benchmarks/lanternfly_benchmarks --benchmark_filter=PollNoNewSong
// (one command line), then divide the Ir total by the calls of
// CheckSong_Timer (callgrind_annotate --tree=caller shows them).

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/HeadlessMainWindow.h"
#include "app/MainForm.h"
#include "platform/sim/FakeChatClients.h"
#include "platform/sim/FakePlayers.h"
#include "platform/sim/SimSystem.h"

namespace lanternfly {
namespace {

// A 4 MB VBR MP3 as encoders write it: an ID3v2.3 tag of 2 KiB (its frames
// and padding), a first frame carrying a Xing header, and an ID3v1.1 tag.
std::vector<std::uint8_t> SongFile(const std::string& title) {
  constexpr std::size_t kSize = 4'000'000;
  constexpr std::size_t kTag = 2048;
  std::vector<std::uint8_t> bytes(kSize, 0);
  auto put = [&](std::size_t at, std::string_view text) { std::copy(text.begin(), text.end(), bytes.begin() + at); };
  put(0, "ID3");
  bytes[3] = 3;
  bytes[8] = (kTag - 10) >> 7, bytes[9] = (kTag - 10) & 0x7F;
  put(10, "TIT2");
  bytes[kTag] = 0xFF, bytes[kTag + 1] = 0xFB, bytes[kTag + 2] = 0x90, bytes[kTag + 3] = 0x44;
  put(kTag + 36, "Xing");
  bytes[kTag + 43] = 3;
  bytes[kTag + 46] = 0x27, bytes[kTag + 47] = 0x10;                           // 10,000 frames
  bytes[kTag + 49] = 0x3C, bytes[kTag + 50] = 0xFF, bytes[kTag + 51] = 0x00;  // 3,997,440 bytes
  const std::size_t tag = kSize - 128;
  put(tag, "TAG");
  put(tag + 3, title);
  put(tag + 33, "Moth Orchestra");
  put(tag + 63, "Night Lights");
  put(tag + 93, "2026");
  bytes[tag + 126] = 4;
  bytes[tag + 127] = 52;
  return bytes;
}

struct PollWorld {
  PollWorld() {
    machine.files.Put("C:\\Music\\01 Glow.mp3", SongFile("Glow"));
    machine.files.Put("C:\\Music\\02 Lanterns.mp3", SongFile("Lanterns"));
    winmx.OpenRoom("Lobby");
    Play(0);
    form.Form_Load();
    state.settings.SelectedPlayer = u"Winamp";
    state.settings.AutoDisplay = true;
    state.settings.AutoRefresh = false;
  }

  void Play(int position) { winamp.Play(playlist, position); }

  SimSystem machine;
  HeadlessMainWindow window;
  AppState state;
  Random random{7};
  FakeWinamp winamp{machine.sim};
  FakeChatClient winmx{machine.sim, FakeChatClient::Kind::kWinMX};
  MainForm form{machine.system, window, state, u"C:\\Lanternfly\\settings.ini", random};
  std::vector<WinampTrack> playlist = {{"C:\\Music\\01 Glow.mp3", "Moth Orchestra - Glow"},
                                       {"C:\\Music\\02 Lanterns.mp3", "Moth Orchestra - Lanterns"}};
};

void PollNoNewSong(benchmark::State& state) {
  PollWorld world;
  // The song has been announced already.
  SimSystem& machine = world.machine;
  world.form.CurrentSong = PlayerReaders(machine.desktop, machine.files, machine.iTunes).ReadWinampSong();
  const int callsBefore = world.machine.sim.Calls();
  for (auto _ : state) world.form.CheckSong_Timer();
  state.counters["window_calls"] =
      benchmark::Counter(world.machine.sim.Calls() - callsBefore, benchmark::Counter::kAvgIterations);
}

void PollNewSong(benchmark::State& state) {
  PollWorld world;
  int position = 0;
  int calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    position = 1 - position;
    world.Play(position);
    const int callsBefore = world.machine.sim.Calls();
    state.ResumeTiming();
    world.form.CheckSong_Timer();
    calls += world.machine.sim.Calls() - callsBefore;
  }
  state.counters["window_calls"] = benchmark::Counter(calls, benchmark::Counter::kAvgIterations);
}

BENCHMARK(PollNoNewSong)->Unit(benchmark::kMicrosecond);
BENCHMARK(PollNewSong)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lanternfly
