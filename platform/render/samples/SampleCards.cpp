#include "platform/render/samples/SampleCards.h"

#include <algorithm>
#include <array>

namespace tandry::render::samples {

namespace {

struct Palette {
    Color accent;
    Color ink;
    Color secondary;
    Color background;
};

// The violet palette and the card background of both appearances.
Palette palette(ColorScheme scheme) {
    if (scheme == ColorScheme::dark) {
        return {Color::packed(0xA78BFA), Color::packed(0xECEAF2), Color::packed(0x9C98AC),
                Color::packed(0x16141C)};
    }
    return {Color::packed(0x7C4DE0), Color::packed(0x1C1A24), Color::packed(0x6A6678),
            Color::packed(0xFBFAFE)};
}

Uuid sampleId(unsigned char seed) {
    Uuid id;
    id.bytes.fill(seed);
    id.bytes[6] = 0x40 | (seed & 0x0F);
    id.bytes[8] = 0x80 | (seed & 0x3F);
    return id;
}

Element header(const Palette& colors, std::string title) {
    return HStack{.alignment = VerticalAlignment::center,
                  .spacing = 5,
                  .children = {
                      SymbolImage{.name = "point.3.connected.trianglepath.dotted",
                                  .font = {11, FontWeight::semibold, FontDesign::standard},
                                  .color = colors.accent},
                      Text{.string = std::move(title),
                           .font = {12, FontWeight::semibold, FontDesign::standard},
                           .color = colors.ink,
                           .lineLimit = 1,
                           .fixedSize = false},
                  }};
}

Element row(const Palette& colors, const SampleTask& task, const Uuid& id) {
    Element tick =
        modified(SymbolImage{.name = "circle",
                             .font = {15, FontWeight::regular, FontDesign::standard},
                             .color = colors.accent},
                 IntentButton{.intent = {.type = "TickReadyTaskIntent", .parameter = uuidText(id)},
                              .accessibilityLabel = "Complete task",
                              .style = ButtonStyle::plain});
    HStack line{.alignment = VerticalAlignment::center, .spacing = 8, .children = {}};
    line.children.push_back(std::move(tick));
    line.children.push_back(VStack{.alignment = HorizontalAlignment::leading,
                                   .spacing = 1,
                                   .children = {
                                       Text{.string = task.title,
                                            .font = {12, FontWeight::medium, FontDesign::standard},
                                            .color = colors.ink,
                                            .lineLimit = 1,
                                            .fixedSize = false},
                                       Text{.string = task.flowName,
                                            .font = {10, FontWeight::regular, FontDesign::standard},
                                            .color = colors.secondary,
                                            .lineLimit = 1,
                                            .fixedSize = false},
                                   }});
    line.children.push_back(Spacer{.minLength = 4});
    if (!task.due.empty()) {
        line.children.push_back(
            Text{.string = task.due,
                 .font = {10, FontWeight::medium, FontDesign::standard},
                 .color = task.isOverdue ? Color::systemRed() : colors.secondary,
                 .lineLimit = 1,
                 .fixedSize = true});
    }
    return line;
}

// The card's outer layers: inset, a frame filling the widget from the top
// leading corner, the background and the deep link.
Element onCard(Element content, const Palette& colors) {
    Element framed =
        modified(modified(std::move(content), Inset{14}), FlexibleFrame{Alignment::topLeading()});
    return modified(modified(std::move(framed), ContainerBackground{colors.background, {}}),
                    ClickThroughUrl{"tandry://ready"});
}

} // namespace

std::vector<SampleTask> defaultTasks() {
    return {
        {"Send the quarterly report", "Finance review", "Mar 3", true},
        {"Draft the onboarding checklist for the new design team members", "People", "Mar 12",
         false},
        {"Water the plants", "Home", "Today", false},
    };
}

Element listCard(ColorScheme scheme, const std::vector<SampleTask>& tasks, std::string headerTitle,
                 std::string count) {
    const Palette colors = palette(scheme);
    IdentifiedList rows;
    const std::size_t shown = std::min<std::size_t>(tasks.size(), 3);
    for (std::size_t i = 0; i < shown; ++i) {
        const Uuid id = sampleId(static_cast<unsigned char>(0x11 * (i + 1)));
        rows.items.push_back(IdentifiedElement{id, row(colors, tasks[i], id)});
    }
    Element headerRow =
        HStack{.alignment = VerticalAlignment::center,
               .spacing = std::nullopt,
               .children = {header(colors, std::move(headerTitle)), Spacer{.minLength = 0},
                            Text{.string = std::move(count),
                                 .font = {11, FontWeight::medium, FontDesign::standard},
                                 .color = colors.secondary,
                                 .lineLimit = std::nullopt,
                                 .fixedSize = false}}};
    VStack root{.alignment = HorizontalAlignment::leading,
                .spacing = 8,
                .children = {std::move(headerRow),
                             VStack{.alignment = HorizontalAlignment::leading,
                                    .spacing = 4,
                                    .children = {std::move(rows)}},
                             Spacer{.minLength = 0}}};
    return onCard(std::move(root), colors);
}

Element smallCard(ColorScheme scheme, const std::vector<SampleTask>& tasks, int total) {
    const Palette colors = palette(scheme);
    VStack root{.alignment = HorizontalAlignment::leading, .spacing = 6, .children = {}};
    root.children.push_back(header(colors, "Ready"));
    root.children.push_back(modified(Text{.string = std::to_string(total),
                                          .font = {34, FontWeight::bold, FontDesign::rounded},
                                          .color = colors.accent,
                                          .lineLimit = std::nullopt,
                                          .fixedSize = false},
                                     NumericContentTransition{CountDirection::up}));
    root.children.push_back(Spacer{.minLength = 0});
    IdentifiedList titles;
    for (std::size_t i = 0; i < std::min<std::size_t>(tasks.size(), 2); ++i) {
        titles.items.push_back(
            IdentifiedElement{sampleId(static_cast<unsigned char>(0x11 * (i + 1))),
                              Text{.string = tasks[i].title,
                                   .font = {11, FontWeight::medium, FontDesign::standard},
                                   .color = tasks[i].isOverdue ? Color::systemRed() : colors.ink,
                                   .lineLimit = 1,
                                   .fixedSize = false}});
    }
    root.children.push_back(std::move(titles));
    return onCard(std::move(root), colors);
}

} // namespace tandry::render::samples
