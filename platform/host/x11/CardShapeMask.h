#pragma once

#include "platform/render/Geometry.h"

typedef struct _GtkWindow GtkWindow;

namespace tandry::x11 {

// Gives a realized window the outline of a card of `card` points at `scale`
// device pixels per point, so that a screen without a compositor shows what
// lies behind the rounded corners instead of black squares; with a
// compositor that blends desktop windows the window stays rectangular and
// its transparent corners blend.
void shapeLikeCard(GtkWindow* window, render::Size card, int scale);

} // namespace tandry::x11
