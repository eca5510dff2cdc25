#pragma once

#include "widget/intents/SystemLog.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tandry {

// The system log on Linux: entries go to the journal with the subsystem and
// category as fields of their own; where no journal runs (containers, other
// init systems) they go to standard error instead, one line each.
class JournalLog final : public SystemLog {
public:
    // Writes to the journal, or to `fallback` (standard error by default)
    // while no journal listens on `journalSocket`.
    JournalLog(std::string subsystem, std::string category);
    JournalLog(std::string subsystem, std::string category, std::ostream& fallback,
               std::filesystem::path journalSocket = defaultJournalSocket);

    // Where the journal takes native entries.
    static constexpr const char* defaultJournalSocket = "/run/systemd/journal/socket";

    bool acceptsErrors() const override { return true; }
    void error(std::string_view message) override;

private:
    std::string subsystem_;
    std::string category_;
    std::ostream& fallback_;
    std::filesystem::path journalSocket_;
};

// The widget's log: subsystem the task manager's bundle identifier, category
// "widget". Created on first use, thread-safely, and kept for the life of the
// process.
SystemLog& widgetLog();

} // namespace tandry
