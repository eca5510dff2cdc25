#include "platform/host/CountTransition.h"

#include "platform/render/CardLayout.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardSize.h"
#include "tests/support/FixedAdvanceTextMeasurer.h"
#include "tests/views/ViewFixtures.h"
#include "widget/views/ReadyWidgetView.h"

#include <cairo.h>
#include <gtest/gtest.h>

namespace tandry {
namespace {

// The card of a family for `total` ready tasks, laid out in the small size.
render::LaidOutCard cardOf(WidgetFamily family, int total) {
    testing::FixedAdvanceTextMeasurer measurer;
    const ReadyWidgetView view{
        family,
        ColorScheme::light,
        {testing::utc(2026, 12, 5), ReadyWidgetState::ready(testing::snapshotOf(total, 2))}};
    return render::layoutCard(view.body(testing::FakeDueDateFormat()),
                              render::cardSize(WidgetFamily::systemSmall), measurer);
}

render::LaidOutCard smallCard(int total) {
    return cardOf(WidgetFamily::systemSmall, total);
}

const std::string& textOf(const render::LaidOutElement& element) {
    return std::get<render::LaidOutText>(element.kind).text.string;
}

TEST(CountTransition, FindsTheCountThatChanged) {
    const auto changes = countChanges(smallCard(12), smallCard(11));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(textOf(changes[0].before), "12");
    EXPECT_EQ(textOf(changes[0].after), "11");
    EXPECT_EQ(changes[0].direction, CountDirection::up);
}

TEST(CountTransition, NothingRollsWhenTheCountStaysOrTheLayoutChanged) {
    EXPECT_TRUE(countChanges(smallCard(12), smallCard(12)).empty());
    EXPECT_TRUE(countChanges(cardOf(WidgetFamily::systemMedium, 3), smallCard(3)).empty());
}

// The last frame of a transition is exactly the new card, the first differs from it.
TEST(CountTransition, EndsOnTheNewCard) {
    const auto before = smallCard(12);
    const auto after = smallCard(11);
    const auto changes = countChanges(before, after);
    auto frame = [&](double progress) {
        render::CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 170, 170));
        cairo_t* cairo = cairo_create(surface.get());
        paintCountTransition(cairo, after, changes, progress, {});
        cairo_destroy(cairo);
        cairo_surface_flush(surface.get());
        const auto* data = cairo_image_surface_get_data(surface.get());
        return std::vector<unsigned char>(
            data, data + cairo_image_surface_get_stride(surface.get()) * 170);
    };
    render::CairoSurface plain(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 170, 170));
    cairo_t* cairo = cairo_create(plain.get());
    render::paintCard(cairo, after, {});
    cairo_destroy(cairo);
    cairo_surface_flush(plain.get());
    const auto* data = cairo_image_surface_get_data(plain.get());
    const std::vector<unsigned char> finished(
        data, data + cairo_image_surface_get_stride(plain.get()) * 170);

    EXPECT_EQ(frame(1), finished);
    EXPECT_NE(frame(0.3), finished);
}

} // namespace
} // namespace tandry
