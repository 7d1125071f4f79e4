// How long the markup label takes to lay out the settings window's preview
// of the longest line the sender sends: 400 characters coloured letter by
// letter, as WinMXToMarkup turns them into colour tags. The preview is laid
// out again twice a second, so this must stay far below a millisecond.
//   build/native/benchmarks/lanternfly_benchmarks --benchmark_filter=Markup

#include <benchmark/benchmark.h>

#include <string>

#include "controls/HyperLabel.h"
#include "message/WinMXColorText.h"
#include "platform/sim/RecordingCanvas.h"
#include "text/Text.h"

namespace {

using namespace lanternfly;

constexpr int kPreviewWidth = 400;  // pixels

std::u16string LetterByLetterPreview() {
  const std::u16string words = u"is listening to Some Artist - A Rather Long Song Title (Extended Mix) ";
  std::u16string coded;
  for (int i = 0; i < 400; ++i) {
    int colour = 1 + i % 75;
    if (colour >= 37 && colour <= 50) colour += 14;  // numbers the table lacks
    coded += u"#c" + ToDecimal(colour) + u"#" + words[static_cast<std::size_t>(i) % words.size()];
  }
  return WinMXToMarkup(coded);
}

void MarkupPreviewLayout(benchmark::State& state) {
  const std::u16string caption = LetterByLetterPreview();
  RecordingCanvas canvas(Size{kPreviewWidth, 120});
  MarkupInput input;
  input.font = FontSpec{u"System", 9.75, true};
  input.base.colour = 0xFFFFFF;
  input.saved = input.base;
  input.foreColor = 0xFFFFFF;
  input.width = kPreviewWidth;
  input.wordWrap = true;
  for (auto _ : state) {
    MarkupLayout layout = LayOutMarkup(caption, input, canvas);
    benchmark::DoNotOptimize(layout.runs.data());
    canvas.Clear();  // measuring records only the font it sets
  }
  state.counters["caption_chars"] = static_cast<double>(caption.size());
}
BENCHMARK(MarkupPreviewLayout)->Unit(benchmark::kMicrosecond);

}  // namespace
