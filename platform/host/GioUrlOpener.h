#pragma once

#include "platform/host/RendererChoice.h"
#include "platform/host/UrlOpener.h"

#include <vector>

namespace tandry {

// Opens URLs with GIO's default handler for their scheme. A URL that no
// application handles is reported as a warning in the log, nothing more.
class GioUrlOpener final : public UrlOpener {
public:
    // The handlers see the variables the host changed for itself as they
    // were, so that they render as the user chose.
    void restoreForHandlers(std::vector<ChangedVariable> variables) {
        restored_ = std::move(variables);
    }

    void open(std::string_view url) override;

private:
    std::vector<ChangedVariable> restored_;
};

} // namespace tandry
