#include "platform/host/Autostart.h"

#include "platform/GLibOwnership.h"
#include "widget/system/DurableFile.h"
#include "widget/system/InstalledData.h"
#include "widget/system/SystemError.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <sys/stat.h>
#include <glib.h>
#include <unistd.h>

namespace tandry {
namespace {

constexpr const char* desktopEntryGroup = "Desktop Entry";

// The key of our own that the shipped entry, and so every copy this program
// writes, carries: an entry without it is the user's own (or another
// program's), and is never replaced or removed.
constexpr const char* writtenByHostKey = "X-Tandry-Widget-Host";

std::optional<std::string> fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Who wrote the user's entry at `target`.
enum class EntryAuthor { nobody, host, user, unknown };

EntryAuthor authorOf(const std::filesystem::path& target,
                     const std::filesystem::path& shippedEntry) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0) {
        return errno == ENOENT ? EntryAuthor::nobody : EntryAuthor::unknown;
    }
    if (S_ISLNK(status.st_mode)) {
        return EntryAuthor::user; // a link the user made, to an entry kept elsewhere
    }
    if (!S_ISREG(status.st_mode)) {
        return EntryAuthor::unknown; // the call that follows says what is in the way
    }
    const std::optional<std::string> text = fileText(target);
    if (!text) {
        return EntryAuthor::unknown;
    }
    if (text->find(std::string("\n") + writtenByHostKey + "=true\n") != std::string::npos) {
        return EntryAuthor::host;
    }
    // A copy written before entries were marked is the shipped entry without its mark.
    std::optional<std::string> shipped = fileText(shippedEntry);
    const std::string mark = std::string(writtenByHostKey) + "=true\n";
    if (shipped && shipped->find(mark) != std::string::npos) {
        shipped->erase(shipped->find(mark), mark.size());
        if (*text == *shipped) {
            return EntryAuthor::host;
        }
    }
    return EntryAuthor::user;
}

Error leftAsItIs(const std::filesystem::path& target, std::string_view advice) {
    return Error{target.string() + " is an autostart entry of your own (tandry-widget-host did " +
                 "not write it), so it was left as it is; " + std::string(advice)};
}

// The message of a GLib error.
std::string messageOf(const GErrorPtr& error) {
    return error != nullptr ? error->message : "unknown error";
}

Result<std::string> startAtLogin(const std::filesystem::path& shippedEntry,
                                 const std::filesystem::path& autostartDirectory) {
    // 1. Read the shipped entry as a desktop entry, so that what is written
    //    is what GLib's writer makes of it, escaping included.
    const GKeyFilePtr entry(g_key_file_new());
    GErrorPtr error;
    if (!g_key_file_load_from_file(
            entry.get(), shippedEntry.c_str(),
            static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS),
            out(error))) {
        return fail("cannot read the installed autostart entry " + shippedEntry.string() + ": " +
                    messageOf(error));
    }
    if (!g_key_file_has_key(entry.get(), desktopEntryGroup, "Exec", nullptr)) {
        return fail(shippedEntry.string() + " is no autostart entry: it has no Exec in [" +
                    desktopEntryGroup + "]");
    }

    // 2. Never over an entry of the user's own.
    const std::filesystem::path target = autostartDirectory / autostartEntryName;
    if (authorOf(target, shippedEntry) == EntryAuthor::user) {
        return std::unexpected(leftAsItIs(target, "remove it to let the widget start at login"));
    }

    // 3. The configuration directory is private to the user, as the XDG
    //    base directory rules ask of a directory that did not exist.
    if (g_mkdir_with_parents(autostartDirectory.c_str(), 0700) != 0) {
        return std::unexpected(systemError("cannot create", autostartDirectory, errno));
    }

    // 4. Replaced whole, so a session starting meanwhile reads the whole
    //    entry or none.
    gsize length = 0;
    const GCharPtr text(g_key_file_to_data(entry.get(), &length, nullptr));
    if (auto written = replaceFileDurably(target, {text.get(), length}); !written) {
        return std::unexpected(written.error());
    }
    return "The widget starts when you log in: wrote " + target.string();
}

Result<std::string> stopStartingAtLogin(const std::filesystem::path& shippedEntry,
                                        const std::filesystem::path& autostartDirectory) {
    const std::filesystem::path target = autostartDirectory / autostartEntryName;
    if (authorOf(target, shippedEntry) == EntryAuthor::user) {
        return std::unexpected(leftAsItIs(target, "edit or remove it yourself"));
    }
    if (unlink(target.c_str()) == 0) {
        return "The widget no longer starts when you log in: removed " + target.string();
    }
    if (errno == ENOENT) {
        return "The widget did not start when you log in: there is no " + target.string();
    }
    return std::unexpected(systemError("cannot remove", target, errno));
}

} // namespace

std::optional<std::filesystem::path> shippedAutostartEntry() {
    auto data = installedDataDirectory();
    if (!data) {
        return std::nullopt;
    }
    return *data / "tandry-widget" / "autostart" / autostartEntryName;
}

std::optional<std::filesystem::path> userAutostartDirectory(const BaseDirectories& directories) {
    if (!directories.configHome) {
        return std::nullopt;
    }
    return *directories.configHome / "autostart";
}

Result<std::string> setStartAtLogin(StartAtLogin choice, const std::filesystem::path& shippedEntry,
                                    const std::filesystem::path& autostartDirectory) {
    return choice == StartAtLogin::on ? startAtLogin(shippedEntry, autostartDirectory)
                                      : stopStartingAtLogin(shippedEntry, autostartDirectory);
}

StartAtLogin startAtLoginState(const std::filesystem::path& autostartDirectory) {
    // The session starts an entry of this name unless it is hidden, whoever
    // wrote it.
    const GKeyFilePtr entry(g_key_file_new());
    const std::filesystem::path target = autostartDirectory / autostartEntryName;
    if (!g_key_file_load_from_file(entry.get(), target.c_str(), G_KEY_FILE_NONE, nullptr)) {
        return StartAtLogin::off;
    }
    const bool hidden = g_key_file_get_boolean(entry.get(), desktopEntryGroup, "Hidden", nullptr);
    return hidden ? StartAtLogin::off : StartAtLogin::on;
}

} // namespace tandry
