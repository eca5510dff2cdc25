#pragma once

#include "widget/ui/ColorScheme.h"
#include "widget/ui/Element.h"

#include <string>
#include <vector>

namespace tandry::render::samples {

// Hand-built card trees in the shape the widget's views produce, for the
// render tool, the benchmarks and the painter's tests. They do not depend on
// the views, so the renderer can be exercised on its own.

struct SampleTask {
    std::string title;
    std::string flowName;
    // The due label; empty for none.
    std::string due;
    bool isOverdue = false;
};

// The default tasks: an overdue one, a long title that must truncate, and
// one due today.
std::vector<SampleTask> defaultTasks();

// A medium list card: header with symbol, title and count, up to three task
// rows with tick buttons, on the card background with the deep link.
Element listCard(ColorScheme scheme, const std::vector<SampleTask>& tasks, std::string header,
                 std::string count);

// A small card: header, a large count and two task titles.
Element smallCard(ColorScheme scheme, const std::vector<SampleTask>& tasks, int total);

} // namespace tandry::render::samples
