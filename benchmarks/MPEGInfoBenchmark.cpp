// How long the frame search takes on a 64 MiB file without any frame sync,
// the worst case: ReadMPEGInfo, against one positioned 4-byte read per offset
// and against reading the file once from start to end. And the usual case, a
// song in memory whose first frame follows its 2 KiB ID3v2 tag.
//   build/native/benchmarks/lanternfly_benchmarks

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "metadata/MPEGInfo.h"
#include "platform/sim/MemoryFiles.h"
#include "text/Text.h"

namespace {

constexpr std::size_t kFileSize = 64 << 20;

const std::string& NoSyncFile() {
  static const std::string path = [] {
    const char* folder = std::getenv("TMPDIR");
    std::string name = std::string(folder ? folder : "/tmp") + "/lanternfly-no-sync.bin";
    std::vector<char> bytes(kFileSize);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 255);  // never 0xFF
    std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::atexit([] { std::remove(NoSyncFile().c_str()); });
    return name;
  }();
  return path;
}

void ReadMPEGInfoNoSync(benchmark::State& state) {
  auto files = lanternfly::SystemFiles();
  auto codePage = lanternfly::OpenCodePage(1252);
  std::u16string path = lanternfly::Utf8ToUtf16(NoSyncFile());
  for (auto _ : state) {
    lanternfly::MPEGInfo info;
    benchmark::DoNotOptimize(lanternfly::ReadMPEGInfo(*files, *codePage, path, info));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

void OneReadPerOffset(benchmark::State& state) {
  int descriptor = open(NoSyncFile().c_str(), O_RDONLY);
  for (auto _ : state) {
    std::size_t found = kFileSize;
    for (std::size_t offset = 0; offset + 4 <= kFileSize; ++offset) {
      unsigned char bytes[4] = {};
      benchmark::DoNotOptimize(pread(descriptor, bytes, 4, static_cast<off_t>(offset)));
      if (bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0) {
        found = offset;
        break;
      }
    }
    benchmark::DoNotOptimize(found);
  }
  close(descriptor);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

void SequentialRead(benchmark::State& state) {
  std::vector<char> block(256 * 1024);
  for (auto _ : state) {
    int descriptor = open(NoSyncFile().c_str(), O_RDONLY);
    while (read(descriptor, block.data(), block.size()) > 0) benchmark::ClobberMemory();
    close(descriptor);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

void ReadMPEGInfoTypicalSong(benchmark::State& state) {
  std::vector<std::uint8_t> bytes(4'000'000, 0);
  const std::uint8_t start[] = {'I', 'D', '3', 3, 0, 0, 0, 0, (2048 - 10) >> 7, (2048 - 10) & 0x7F};
  std::copy(std::begin(start), std::end(start), bytes.begin());
  const std::uint8_t frame[] = {0xFF, 0xFB, 0x90, 0x44};
  std::copy(std::begin(frame), std::end(frame), bytes.begin() + 2048);
  lanternfly::MemoryFile file(std::move(bytes));
  for (auto _ : state) {
    lanternfly::MPEGInfo info;
    benchmark::DoNotOptimize(lanternfly::ReadMPEGInfo(file, info));
  }
}

BENCHMARK(ReadMPEGInfoNoSync)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OneReadPerOffset)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(SequentialRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadMPEGInfoTypicalSong)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
