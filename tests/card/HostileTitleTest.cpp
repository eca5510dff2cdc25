#include "platform/render/CardLayout.h"
#include "platform/render/CardSize.h"
#include "platform/render/PangoTextMeasurer.h"
#include "tests/render/HostileTexts.h"
#include "tests/support/ScopedLanguage.h"
#include "tests/views/ViewFixtures.h"
#include "widget/views/ReadyWidgetView.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

using render::LaidOutCard;
using render::LaidOutElement;
using render::LaidOutText;
using render::Rect;

// The texts and symbols of a laid-out card in drawing order, the content
// that a reader sees.
void collectContent(const LaidOutElement& element, std::vector<const LaidOutElement*>& content) {
    if (std::holds_alternative<LaidOutText>(element.kind) ||
        std::holds_alternative<SymbolImage>(element.kind)) {
        content.push_back(&element);
    }
    for (const LaidOutElement& child : element.children) {
        collectContent(child, content);
    }
}

void expectWithin(const LaidOutElement& element, Rect card) {
    const Rect frame = element.frame;
    EXPECT_TRUE(frame.minX() >= card.minX() && frame.maxX() <= card.maxX() &&
                frame.minY() >= card.minY() && frame.maxY() <= card.maxY())
        << render::kindName(element.kind) << " " << frame;
    for (const LaidOutElement& child : element.children) {
        expectWithin(child, card);
    }
}

// A ready card of three tasks whose first, overdue, has `title`, set with
// Pango as the widget draws it.
LaidOutCard cardWithTitle(WidgetFamily family, std::string title,
                          render::PangoTextMeasurer& measurer) {
    ReadySnapshot snapshot = snapshotOf(9, 3);
    snapshot.tasks[0].title = std::move(title);
    snapshot.tasks[0].isOverdue = true;
    snapshot.tasks[0].dueDate = utc(2026, 12, 4);
    const ReadyWidgetView view{
        family, ColorScheme::light, {utc(2026, 12, 5, 9, 30), ReadyWidgetState::ready(snapshot)}};
    return render::layoutCard(view.body(FakeDueDateFormat()), render::cardSize(family), measurer);
}

// A title that no card can show whole keeps to its one line and the card's
// bounds, and every other text and symbol stays where a short title leaves
// it.
TEST(CardWithHostileTitle, KeepsTheTitleToItsLineAndEverythingElseInPlace) {
    const ScopedLanguage language("en");
    render::PangoTextMeasurer measurer;
    for (const WidgetFamily family : {WidgetFamily::systemSmall, WidgetFamily::systemMedium}) {
        const LaidOutCard reference = cardWithTitle(family, "Short", measurer);
        std::vector<const LaidOutElement*> expected;
        collectContent(reference.root, expected);
        for (const auto& [name, title, overflows] : hostileTexts()) {
            SCOPED_TRACE(std::string(shortFamilyName(family)) + ", " + name);
            const LaidOutCard card = cardWithTitle(family, title, measurer);
            expectWithin(card.root, Rect{{0, 0}, card.size});
            std::vector<const LaidOutElement*> content;
            collectContent(card.root, content);
            ASSERT_EQ(content.size(), expected.size());
            for (std::size_t i = 0; i < content.size(); ++i) {
                const auto* shortTitle = std::get_if<LaidOutText>(&expected[i]->kind);
                if (shortTitle == nullptr || shortTitle->text.string != "Short") {
                    EXPECT_EQ(content[i]->frame, expected[i]->frame)
                        << render::kindName(content[i]->kind);
                    continue;
                }
                // The tree keeps the whole title; what shows of it is one
                // line as tall as a short title's, and wider.
                const LaidOutText& shown = std::get<LaidOutText>(content[i]->kind);
                EXPECT_TRUE(shown.text.string == title);
                EXPECT_EQ(content[i]->frame.size.height, expected[i]->frame.size.height);
                EXPECT_GT(content[i]->frame.size.width, expected[i]->frame.size.width);
                EXPECT_EQ(measurer.measure(title, shown.text.font, shown.fit).lineCount, 1);
            }
        }
    }
}

} // namespace
} // namespace tandry::testing
