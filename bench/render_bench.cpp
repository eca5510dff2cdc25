// The rendering layer in a warm process, on the placeholder's medium card at
// 2x as the views build it: laying out, painting, and the ways of turning the
// card into PNG bytes; and on a small card under a title far too long.

#include "platform/render/CardLayout.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardSize.h"
#include "platform/render/PangoTextMeasurer.h"
#include "widget/strings/UserLanguage.h"
#include "widget/timeline/ReadyWidgetProvider.h"
#include "widget/views/IcuDueDateFormat.h"
#include "widget/views/ReadyWidgetView.h"

#include <benchmark/benchmark.h>

namespace tandry::render {
namespace {

Element mediumCard() {
    adoptUserLanguage(Environment::ofProcess());
    const SystemClock clock;
    const ReadyWidgetView view{WidgetFamily::systemMedium, ColorScheme::light,
                               ReadyWidgetProvider(clock, std::nullopt).placeholder({})};
    return view.body(IcuDueDateFormat::of(Environment::ofProcess()));
}

const RenderOptions twice{2, ColorScheme::light};

void LayoutMediumCard(benchmark::State& state) {
    PangoTextMeasurer measurer;
    const Element tree = mediumCard();
    for (auto _ : state) {
        benchmark::DoNotOptimize(layoutCard(tree, cardSize(WidgetFamily::systemMedium), measurer));
    }
}
BENCHMARK(LayoutMediumCard)->Unit(benchmark::kMicrosecond);

void LayoutAndPaintMediumCard(benchmark::State& state) {
    PangoTextMeasurer measurer;
    const Element tree = mediumCard();
    for (auto _ : state) {
        const LaidOutCard card = layoutCard(tree, cardSize(WidgetFamily::systemMedium), measurer);
        CairoSurfacePtr image = paintImage(card, twice);
        benchmark::DoNotOptimize(image.get());
    }
}
BENCHMARK(LayoutAndPaintMediumCard)->Unit(benchmark::kMicrosecond);

// Painting and encoding together, as `tandry-widget render -o card.png` does.
void PaintAndEncodeMediumCardPng(benchmark::State& state) {
    PangoTextMeasurer measurer;
    const LaidOutCard card =
        layoutCard(mediumCard(), cardSize(WidgetFamily::systemMedium), measurer);
    std::size_t size = 0;
    for (auto _ : state) {
        const Result<std::vector<unsigned char>> png = cardPng(card, twice);
        size = png ? png->size() : 0;
        benchmark::DoNotOptimize(png);
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(PaintAndEncodeMediumCardPng)->Unit(benchmark::kMicrosecond);

// A small card whose first task has a title of a million characters without
// a space, from the tree to PNG bytes as `tandry-widget render` draws it: the
// cost of a text is what can show of it, whatever its length. Target: under
// 50 ms (measured: about 3 ms of processor time).
void RenderSmallCardWithMegabyteTitle(benchmark::State& state) {
    adoptUserLanguage(Environment::ofProcess());
    const SystemClock clock;
    ReadyWidgetEntry entry = ReadyWidgetProvider(clock, std::nullopt).placeholder({});
    entry.state.snapshot()->tasks.front().title = std::string(1'000'000, 'x');
    const ReadyWidgetView view{WidgetFamily::systemSmall, ColorScheme::light, entry};
    const IcuDueDateFormat dueDates = IcuDueDateFormat::of(Environment::ofProcess());
    PangoTextMeasurer measurer;
    for (auto _ : state) {
        const LaidOutCard card =
            layoutCard(view.body(dueDates), cardSize(WidgetFamily::systemSmall), measurer);
        const Result<std::vector<unsigned char>> png = cardPng(card, twice);
        benchmark::DoNotOptimize(png);
    }
}
BENCHMARK(RenderSmallCardWithMegabyteTitle)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tandry::render

BENCHMARK_MAIN();
