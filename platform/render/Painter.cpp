#include "platform/render/Painter.h"

#include "platform/GLibOwnership.h"
#include "platform/render/CardShape.h"
#include "platform/render/SymbolArtwork.h"
#include "platform/render/SystemColors.h"
#include "platform/render/detail/PangoText.h"

#include <pango/pangocairo.h>

namespace tandry::render {

namespace {

class CardPainter {
public:
    CardPainter(cairo_t* cairo, const LaidOutCard& card, const PaintOptions& options)
        : cairo_(cairo), card_(card), options_(options),
          context_(pango_font_map_create_context(pango_cairo_font_map_get_default())),
          layout_(pango_layout_new(context_.get())) {
        // Fonts are chosen in user space with the measurer's font options,
        // so the font map hands back the fonts the measurer loaded. A context
        // made for the target would carry the device scale in its matrix and
        // the target's font options, and Pango would look every font up
        // again in fontconfig for them. Cairo still draws the glyphs at the
        // device resolution of the target, and with hinting off and
        // greyscale antialiasing their outlines depend on neither.
        detail::configureContext(context_.get());
    }

    void paint(const LaidOutElement& element) {
        if (const auto* text = std::get_if<LaidOutText>(&element.kind)) {
            paintText(*text, element.frame);
        } else if (const auto* symbol = std::get_if<SymbolImage>(&element.kind)) {
            setSource(symbol->color);
            drawSymbol(cairo_, symbol->name, symbol->font, element.frame);
        } else if (const auto* background = std::get_if<ContainerBackground>(&element.kind)) {
            paintBackground(background->color, element.frame);
        }
        for (const LaidOutElement& child : element.children) {
            paint(child);
        }
    }

private:
    void setSource(const Color& color) {
        const ResolvedColor resolved = resolveColor(color, options_.scheme);
        cairo_set_source_rgba(cairo_, resolved.red, resolved.green, resolved.blue,
                              resolved.opacity);
    }

    // A background that covers the card fills the card's rounded shape;
    // anywhere else, its frame.
    void paintBackground(const Color& color, Rect frame) {
        setSource(color);
        if (frame == Rect{{0, 0}, card_.size}) {
            appendCardShape(cairo_, card_.size);
        } else {
            cairo_rectangle(cairo_, frame.origin.x, frame.origin.y, frame.size.width,
                            frame.size.height);
        }
        cairo_fill(cairo_);
    }

    void paintText(const LaidOutText& text, Rect frame) {
        if (frame.size.width <= 0 || frame.size.height <= 0) {
            return;
        }
        detail::setText(layout_.get(), text.text.string, text.text.font, text.fit);
        PangoRectangle logical;
        pango_layout_get_extents(layout_.get(), nullptr, &logical);
        // Right-to-left paragraphs sit at the right of the fit's width; move
        // the text so that its logical box starts where its frame does.
        setSource(text.text.color);
        cairo_move_to(cairo_, frame.origin.x - pango_units_to_double(logical.x),
                      frame.origin.y - pango_units_to_double(logical.y));
        pango_cairo_show_layout(cairo_, layout_.get());
        cairo_new_path(cairo_);
    }

    cairo_t* cairo_;
    const LaidOutCard& card_;
    PaintOptions options_;
    GObjectPtr<PangoContext> context_;
    GObjectPtr<PangoLayout> layout_;
};

} // namespace

void paintCard(cairo_t* cairo, const LaidOutCard& card, const PaintOptions& options) {
    cairo_save(cairo);
    appendCardShape(cairo, card.size);
    cairo_clip(cairo);
    CardPainter(cairo, card, options).paint(card.root);
    cairo_restore(cairo);
}

} // namespace tandry::render
