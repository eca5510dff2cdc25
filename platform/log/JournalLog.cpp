#include "platform/log/JournalLog.h"

#include "widget/intents/BundleIdentifier.h"
#include "widget/system/SystemdLibrary.h"

#include <iostream>
#include <mutex>
#include <system_error>
#include <systemd/sd-journal.h>

namespace tandry {

namespace {

using JournalSend = decltype(&sd_journal_send);

// Null where libsystemd is missing.
JournalSend journalSend() {
    static const JournalSend send = SystemdLibrary::function<JournalSend>("sd_journal_send");
    return send;
}

} // namespace

JournalLog::JournalLog(std::string subsystem, std::string category)
    : JournalLog(std::move(subsystem), std::move(category), std::cerr) {}

JournalLog::JournalLog(std::string subsystem, std::string category, std::ostream& fallback,
                       std::filesystem::path journalSocket)
    : subsystem_(std::move(subsystem)), category_(std::move(category)), fallback_(fallback),
      journalSocket_(std::move(journalSocket)) {}

void JournalLog::error(std::string_view message) {
    // The journal library reports success when no journal listens (it drops
    // the entry then), so whether one runs is asked of its socket, on every
    // entry: a journal may start after this process.
    std::error_code statusError;
    const JournalSend send = journalSend();
    if (send != nullptr && std::filesystem::is_socket(journalSocket_, statusError)) {
        // The message goes in as an argument of a fixed format, so a "%" in
        // an error text (a file name, say) is shown rather than interpreted.
        const int precision = static_cast<int>(message.size());
        const int sent = send("MESSAGE=%.*s", precision, message.data(), "PRIORITY=3",
                              "SUBSYSTEM=%s", subsystem_.c_str(), "CATEGORY=%s", category_.c_str(),
                              "SYSLOG_IDENTIFIER=tandry-widget", nullptr);
        if (sent >= 0) {
            return;
        }
    }
    // One write per line, so entries from several threads do not interleave.
    static std::mutex fallbackMutex;
    const std::string line =
        "tandry-widget[" + subsystem_ + ":" + category_ + "] error: " + std::string(message) + '\n';
    std::lock_guard lock(fallbackMutex);
    fallback_ << line << std::flush;
}

SystemLog& widgetLog() {
    static JournalLog log{std::string(hostApplicationBundleIdentifier),
                          std::string(widgetLogCategory)};
    return log;
}

} // namespace tandry
