#pragma once

#include "platform/render/detail/LayoutNode.h"

namespace tandry::render::detail {

// How a text is set for a proposal: as wide as offered (ideal when the width
// is unspecified or infinite), with as many lines as its limit and the
// offered height allow, but at least one.
TextFit textFit(const Text& text, ProposedSize proposal, LayoutContext& context);

// The size a text node chooses: its ideal size when fixed, nothing when
// offered no width, else what the measurer reports for its fit (measured
// once per fit).
Size textSize(LayoutNode& node, ProposedSize proposal, LayoutContext& context);

} // namespace tandry::render::detail
