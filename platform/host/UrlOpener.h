#pragma once

#include <string_view>

namespace tandry {

// Opens a URL with whatever the desktop has for its scheme.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;

    virtual void open(std::string_view url) = 0;
};

} // namespace tandry
