#pragma once

#include "widget/system/FileDescriptor.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace tandry {

class JsonWriter;

// What the host did, for the programs that watch it (its tests and
// benchmarks): one JSON object per line, appended to the file that the
// variable TANDRY_HOST_EVENTS names, each with an "event" name:
//   "drawn"   a load's card is on the screen: "kind", "load" (its number)
//   "ticks"   parked ticks were laid over the cards ahead of a load: "kind"
//   "queue"   the parked ticks were read (off the main loop): "count"
//   "link"    a click on a card opened its link: "url"
//   "placed"  the user put a card in a new place: "x", "y"
//   "stall"   one iteration of the main loop dispatched for a millisecond or
//             more: "microseconds", and "running", the part of them its
//             thread ran on a processor
// Unlike the log, whose wording is for people, these are kept stable.
// Without the variable nothing is written.
class HostEvents {
public:
    HostEvents() = default;
    HostEvents(HostEvents&& other) noexcept : file_(std::move(other.file_)) {}
    HostEvents& operator=(HostEvents&& other) noexcept {
        file_ = std::move(other.file_);
        return *this;
    }
    // Appends to `file`; a file that cannot be opened is reported once in
    // the log, and nothing is written.
    explicit HostEvents(const std::filesystem::path& file);

    void drawn(std::string_view kind, int load);
    void ticksShown(std::string_view kind);
    // Safe from any thread.
    void queueRead(std::size_t count);
    void linkOpened(std::string_view url);
    void placed(int x, int y);
    void stalled(std::int64_t microseconds, std::int64_t running);

private:
    void append(JsonWriter& writer);

    FileDescriptor file_;
    std::atomic<bool> failed_ = false;
};

} // namespace tandry
