// The card in a warm process: from a decoded snapshot to the view's tree, the
// laid-out card and the painted 2x image, for each family, beside the cost
// of the tree alone and of the due-date formatter that a render builds once.

#include "platform/render/CardLayout.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardSize.h"
#include "platform/render/PangoTextMeasurer.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/strings/UserLanguage.h"
#include "widget/views/IcuDueDateFormat.h"
#include "widget/views/ReadyWidgetView.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tandry {
namespace {

ReadySnapshot demoSnapshot() {
    std::ifstream in(std::string(TANDRY_SOURCE_DIR) +
                     "/examples/demo-container/ready-snapshot.json");
    const std::string json{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Result<ReadySnapshot> snapshot = decodeSnapshot(json);
    if (!snapshot) {
        std::abort();
    }
    return *snapshot;
}

ReadyWidgetView demoView(WidgetFamily family) {
    adoptUserLanguage(Environment::ofProcess());
    const Instant now = *parseDateText("2026-12-05T09:30:00Z");
    return {family, ColorScheme::light, {now, ReadyWidgetState::ready(demoSnapshot())}};
}

WidgetFamily familyOf(const benchmark::State& state) {
    return static_cast<WidgetFamily>(state.range(0));
}

void BuildCardTree(benchmark::State& state) {
    const ReadyWidgetView view = demoView(familyOf(state));
    const IcuDueDateFormat dueDates = IcuDueDateFormat::of(Environment::ofProcess());
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.body(dueDates));
    }
}
BENCHMARK(BuildCardTree)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BuildLayOutAndPaintCard(benchmark::State& state) {
    const WidgetFamily family = familyOf(state);
    const ReadyWidgetView view = demoView(family);
    const IcuDueDateFormat dueDates = IcuDueDateFormat::of(Environment::ofProcess());
    render::PangoTextMeasurer measurer;
    for (auto _ : state) {
        const render::LaidOutCard card =
            render::layoutCard(view.body(dueDates), render::cardSize(family), measurer);
        CairoSurfacePtr image = render::paintImage(card, {2, ColorScheme::light});
        benchmark::DoNotOptimize(image.get());
    }
}
BENCHMARK(BuildLayOutAndPaintCard)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void MakeDueDateFormat(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(IcuDueDateFormat::of(Environment::ofProcess()));
    }
}
BENCHMARK(MakeDueDateFormat)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tandry

BENCHMARK_MAIN();
