// The rendering layer in a warm process: laying out and painting a medium
// card of a dozen texts at 2x, then encoding the image as PNG, each beside
// the part of it that Pango text measurement alone costs, and the PNG as the
// render command writes it.

#include "platform/render/CardLayout.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardSize.h"
#include "platform/render/PangoTextMeasurer.h"
#include "platform/render/PngEncoder.h"
#include "platform/render/samples/SampleCards.h"

#include <benchmark/benchmark.h>

namespace tandry::render {
namespace {

Element mediumCard() {
    return samples::listCard(ColorScheme::light, samples::defaultTasks(), "Ready", "12 tasks");
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

void EncodeMediumCardPng(benchmark::State& state) {
    PangoTextMeasurer measurer;
    const LaidOutCard card =
        layoutCard(mediumCard(), cardSize(WidgetFamily::systemMedium), measurer);
    const CairoSurface image = paintImage(card, twice);
    std::size_t bytes = 0;
    for (auto _ : state) {
        Result<std::vector<unsigned char>> png = encodePng(image.get());
        bytes = png ? png->size() : 0;
        benchmark::DoNotOptimize(png);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(EncodeMediumCardPng)->Unit(benchmark::kMicrosecond);

// Painting and encoding together: the whole image first and then its PNG
// (banded:0), or band by band as `render` writes it (banded:1), which paints
// the card once per band but never holds the whole image.
void PaintAndEncodeMediumCardPng(benchmark::State& state) {
    PangoTextMeasurer measurer;
    const LaidOutCard card =
        layoutCard(mediumCard(), cardSize(WidgetFamily::systemMedium), measurer);
    const bool banded = state.range(0) == 1;
    for (auto _ : state) {
        Result<std::vector<unsigned char>> png =
            banded ? cardPng(card, twice) : encodePng(paintImage(card, twice).get());
        benchmark::DoNotOptimize(png);
    }
}
BENCHMARK(PaintAndEncodeMediumCardPng)
    ->ArgName("banded")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tandry::render

BENCHMARK_MAIN();
