#include "platform/host/CountTransition.h"

#include "platform/render/CardLayout.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardSize.h"
#include "tests/support/FixedAdvanceTextMeasurer.h"
#include "tests/views/ViewFixtures.h"
#include "widget/views/ReadyWidgetView.h"

#include <cairo.h>
#include <functional>
#include <gtest/gtest.h>

namespace tandry {
namespace {

// The card of a family for `total` ready tasks, laid out in the small size.
render::LaidOutCard cardOf(int total, WidgetFamily family = WidgetFamily::systemSmall) {
    testing::FixedAdvanceTextMeasurer measurer;
    const ReadyWidgetView view{
        family,
        ColorScheme::light,
        {testing::utc(2026, 12, 5), ReadyWidgetState::ready(testing::snapshotOf(total, 2))}};
    return render::layoutCard(view.body(testing::FakeDueDateFormat()),
                              render::cardSize(WidgetFamily::systemSmall), measurer);
}

const std::string& textOf(const render::LaidOutElement& element) {
    return std::get<render::LaidOutText>(element.kind).text.string;
}

std::vector<unsigned char> pixels(const std::function<void(cairo_t*)>& paint) {
    CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 170, 170));
    cairo_t* cairo = cairo_create(surface.get());
    paint(cairo);
    cairo_destroy(cairo);
    cairo_surface_flush(surface.get());
    const auto* data = cairo_image_surface_get_data(surface.get());
    return {data, data + 4 * 170 * 170};
}

TEST(CountTransition, RollsTheChangedCountAndEndsOnTheNewCard) {
    const auto after = cardOf(11);
    const auto changes = countChanges(cardOf(12), after);
    ASSERT_EQ(changes.size(), 1U);
    EXPECT_EQ(textOf(changes[0].before), "12");
    EXPECT_EQ(textOf(changes[0].after), "11");
    EXPECT_EQ(changes[0].direction, CountDirection::up);

    const auto finished = pixels([&](cairo_t* cairo) { render::paintCard(cairo, after, {}); });
    const auto frame = [&](double progress) {
        return pixels(
            [&](cairo_t* cairo) { paintCountTransition(cairo, after, changes, progress, {}); });
    };
    EXPECT_EQ(frame(1), finished);
    EXPECT_NE(frame(0.3), finished);
}

TEST(CountTransition, NothingRollsWhenTheCountStaysOrTheLayoutChanged) {
    EXPECT_TRUE(countChanges(cardOf(12), cardOf(12)).empty());
    EXPECT_TRUE(countChanges(cardOf(3, WidgetFamily::systemMedium), cardOf(3)).empty());
}

} // namespace
} // namespace tandry
