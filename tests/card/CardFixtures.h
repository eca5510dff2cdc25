#pragma once

#include "platform/render/CardSize.h"
#include "tests/render/LayoutFixtures.h"
#include "tests/views/ViewFixtures.h"
#include "widget/views/ReadyWidgetView.h"

#include <functional>
#include <string>
#include <vector>

namespace tandry::testing {

// Nine ready tasks, seven listed, in the mix a card meets: overdue with a
// date, today without one, dated ahead, undated, dated and today, and a title
// far too long for any row.
inline ReadySnapshot mixedSnapshot() {
    ReadySnapshot snapshot = snapshotOf(9, 7, "green");
    auto& tasks = snapshot.tasks;
    tasks[0].title = "Send the invoice";
    tasks[0].flowName = "Finance";
    tasks[0].dueDate = utc(2026, 12, 4, 17);
    tasks[0].isOverdue = true;
    tasks[1].title = "Water the plants";
    tasks[1].flowName = "Home";
    tasks[1].isToday = true;
    tasks[2].title = "Review the quarterly roadmap draft with everyone who asked to be part of it";
    tasks[2].flowName = "Work";
    tasks[2].dueDate = utc(2026, 12, 9, 9);
    tasks[3].title = "Book the dentist";
    tasks[3].flowName = "";
    tasks[4].title = "Pick up the dry cleaning";
    tasks[4].flowName = "Errands";
    tasks[4].dueDate = utc(2026, 12, 5, 16);
    tasks[4].isToday = true;
    return snapshot;
}

// The card for an entry, laid out with the fixed-advance measurer.
inline render::LaidOutCard layOutCard(WidgetFamily family, ColorScheme scheme,
                                      const ReadyWidgetState& state,
                                      LayoutDirection direction = LayoutDirection::leftToRight) {
    const ReadyWidgetView view{family, scheme, {utc(2026, 12, 5, 9, 30), state}};
    return layOut(view.body(FakeDueDateFormat()), render::cardSize(family), direction);
}

// Every node of the tree that `matches`, depth first.
inline std::vector<const render::LaidOutElement*>
findAll(const render::LaidOutElement& root,
        const std::function<bool(const render::LaidOutElement&)>& matches) {
    std::vector<const render::LaidOutElement*> found;
    if (matches(root)) {
        found.push_back(&root);
    }
    for (const auto& child : root.children) {
        const auto below = findAll(child, matches);
        found.insert(found.end(), below.begin(), below.end());
    }
    return found;
}

// The laid-out texts whose string is `string`.
inline std::vector<const render::LaidOutElement*> textsNamed(const render::LaidOutElement& root,
                                                             const std::string& string) {
    return findAll(root, [&](const render::LaidOutElement& node) {
        const auto* text = std::get_if<render::LaidOutText>(&node.kind);
        return text && text->text.string == string;
    });
}

} // namespace tandry::testing
