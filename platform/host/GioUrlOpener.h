#pragma once

#include "platform/host/UrlOpener.h"

namespace tandry {

// Opens URLs with GIO's default handler for their scheme. A URL that no
// application handles is reported as a warning in the log, nothing more.
class GioUrlOpener final : public UrlOpener {
public:
    void open(std::string_view url) override;
};

} // namespace tandry
