// Renders the hand-built sample cards into a directory, in every output
// format, so the painter's work can be looked at:
//   tandry-render-sample DIRECTORY
#include "platform/render/CardLayout.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardSize.h"
#include "platform/render/PangoTextMeasurer.h"
#include "platform/render/samples/SampleCards.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace tandry;
using namespace tandry::render;

struct Sample {
    std::string name;
    Element tree;
    WidgetFamily family;
    ColorScheme scheme;
    LayoutDirection direction;
    std::vector<std::string> extensions;
};

std::vector<Sample> samplesToRender() {
    using samples::SampleTask;
    const std::vector<SampleTask> arabic = {
        {"إرسال التقرير الفصلي", "مراجعة المالية", "٣ مارس", true},
        {"كتابة قائمة التهيئة لأعضاء فريق التصميم الجدد", "الأفراد", "", false},
        {"سقي النباتات 🌱", "المنزل", "اليوم", false},
    };
    const std::vector<SampleTask> emoji = {
        {"Plan the team lunch 🍕🎉", "Social", "Fri", false},
        {"Call grandma ☎️", "Family 👵", "Today", false},
        {"שלום – mixed script title", "Travel ✈️", "Mar 9", true},
    };
    const auto tasks = samples::defaultTasks();
    return {
        {"medium-light",
         samples::listCard(ColorScheme::light, tasks, "Ready", "12 tasks"),
         WidgetFamily::systemMedium,
         ColorScheme::light,
         LayoutDirection::leftToRight,
         {".png", ".svg", ".pdf", ".json"}},
        {"medium-dark",
         samples::listCard(ColorScheme::dark, tasks, "Ready", "12 tasks"),
         WidgetFamily::systemMedium,
         ColorScheme::dark,
         LayoutDirection::leftToRight,
         {".png"}},
        {"small-light",
         samples::smallCard(ColorScheme::light, tasks, 12),
         WidgetFamily::systemSmall,
         ColorScheme::light,
         LayoutDirection::leftToRight,
         {".png", ".json"}},
        {"medium-arabic",
         samples::listCard(ColorScheme::light, arabic, "جاهز", "١٢ مهمة"),
         WidgetFamily::systemMedium,
         ColorScheme::light,
         LayoutDirection::rightToLeft,
         {".png", ".json"}},
        {"medium-emoji",
         samples::listCard(ColorScheme::dark, emoji, "Ready ✅", "3 tasks"),
         WidgetFamily::systemMedium,
         ColorScheme::dark,
         LayoutDirection::leftToRight,
         {".png"}},
    };
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tandry-render-sample DIRECTORY\n";
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    PangoTextMeasurer measurer;
    int status = 0;
    for (const Sample& sample : samplesToRender()) {
        const LaidOutCard card = layoutCard(sample.tree, cardSize(sample.family), measurer,
                                            LayoutOptions{2, sample.direction});
        for (const std::string& extension : sample.extensions) {
            const std::filesystem::path path = directory / (sample.name + extension);
            if (Result<void> written = writeCard(card, path, RenderOptions{2, sample.scheme});
                !written) {
                std::cerr << written.error().message << '\n';
                status = 1;
            } else {
                std::cout << path.string() << '\n';
            }
        }
    }
    return status;
}
