#include "platform/render/LaidOutElement.h"

#include <ostream>

namespace tandry::render {

namespace {

struct KindNames {
    const char* operator()(const VStack&) const { return "vstack"; }
    const char* operator()(const HStack&) const { return "hstack"; }
    const char* operator()(const Spacer&) const { return "spacer"; }
    const char* operator()(const LaidOutText&) const { return "text"; }
    const char* operator()(const SymbolImage&) const { return "symbol"; }
    const char* operator()(const IntentButton&) const { return "button"; }
    const char* operator()(const FlexibleFrame&) const { return "frame"; }
    const char* operator()(const Inset&) const { return "padding"; }
    const char* operator()(const ContainerBackground&) const { return "background"; }
    const char* operator()(const ClickThroughUrl&) const { return "link"; }
};

} // namespace

const char* kindName(const LaidOutKind& kind) {
    return std::visit(KindNames{}, kind);
}

std::ostream& operator<<(std::ostream& out, const TextFit& fit) {
    out << "fit(width ";
    if (fit.width) {
        out << *fit.width;
    } else {
        out << "ideal";
    }
    out << ", lines ";
    if (fit.maxLines) {
        out << *fit.maxLines;
    } else {
        out << "any";
    }
    return out << ')';
}

std::ostream& operator<<(std::ostream& out, const MeasuredText& measured) {
    return out << measured.size << " in " << measured.lineCount << " lines";
}

std::ostream& operator<<(std::ostream& out, const FontMetrics& metrics) {
    return out << "FontMetrics{ascent " << metrics.ascent << ", descent " << metrics.descent
               << ", cap " << metrics.capHeight << ", gap " << metrics.lineGap << '}';
}

} // namespace tandry::render
