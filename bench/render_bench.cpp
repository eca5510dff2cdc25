// The rendering layer in a warm process, on the placeholder's medium card at
// 2x as the views build it: laying out, painting, and the ways of turning the
// card into PNG bytes.

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
    adoptUserLanguage();
    const SystemClock clock;
    const ReadyWidgetView view{WidgetFamily::systemMedium, ColorScheme::light,
                               ReadyWidgetProvider(clock).placeholder({})};
    return view.body(IcuDueDateFormat::current());
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
        CairoSurface image = paintImage(card, twice);
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

} // namespace
} // namespace tandry::render

BENCHMARK_MAIN();
