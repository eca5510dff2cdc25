#include "platform/render/detail/TextSizing.h"

#include <algorithm>
#include <cmath>

namespace tandry::render::detail {

TextFit textFit(const Text& text, ProposedSize proposal, LayoutContext& context) {
    if (text.fixedSize) {
        // A fixed-size text is always offered nothing in particular, so it
        // takes its ideal width and every line it needs.
        proposal = ProposedSize::unspecified();
    }
    TextFit fit;
    if (proposal.width && !std::isinf(*proposal.width)) {
        fit.width = *proposal.width;
    }
    fit.maxLines = text.lineLimit;
    if (proposal.height && !std::isinf(*proposal.height)) {
        const double lineHeight = context.measurer.metrics(text.font).lineHeight();
        if (lineHeight > 0) {
            const int fitting =
                std::max(1, static_cast<int>(std::floor(*proposal.height / lineHeight)));
            fit.maxLines = std::min(fit.maxLines.value_or(fitting), fitting);
        }
    }
    if (fit.maxLines) {
        fit.maxLines = std::max(*fit.maxLines, 1);
    }
    return fit;
}

Size textSize(LayoutNode& node, ProposedSize proposal, LayoutContext& context) {
    const Text& text = std::get<LaidOutText>(node.kind).text;
    if (!text.fixedSize && proposal.width && *proposal.width <= 0) {
        // Offered no width, a text disappears rather than showing an ellipsis.
        return {};
    }
    const TextFit fit = textFit(text, proposal, context);
    for (const auto& [cachedFit, cachedSize] : node.textCache) {
        if (cachedFit == fit) {
            return cachedSize;
        }
    }
    const Size size = context.measurer.measure(text.string, text.font, fit).size;
    node.textCache.emplace_back(fit, size);
    return size;
}

} // namespace tandry::render::detail
