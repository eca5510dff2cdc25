#pragma once

#include <cstdint>
#include <string>

namespace tandry {

// How the bridge was asked to shape the snapshot, whatever the store.
struct SnapshotOptions {
    // How many tasks are listed; all ready ones are counted.
    std::int64_t limit = 20;
    std::string palette = "blue";

    bool operator==(const SnapshotOptions&) const = default;
};

} // namespace tandry
