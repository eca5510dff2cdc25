#include "platform/host/Autostart.h"

#include "widget/system/DurableFile.h"
#include "widget/system/InstalledData.h"
#include "widget/system/SystemError.h"

#include <cerrno>
#include <glib.h>
#include <memory>
#include <unistd.h>

namespace tandry {
namespace {

constexpr const char* desktopEntryGroup = "Desktop Entry";

struct KeyFileUnref {
    void operator()(GKeyFile* file) const { g_key_file_unref(file); }
};

// The message of a GLib error, which is then freed.
std::string takeMessage(GError*& error) {
    std::string message = error != nullptr ? error->message : "unknown error";
    g_clear_error(&error);
    return message;
}

Result<std::string> startAtLogin(const std::filesystem::path& shippedEntry,
                                 const std::filesystem::path& autostartDirectory) {
    // 1. Read the shipped entry as a desktop entry, so that what is written
    //    is what GLib's writer makes of it, escaping included.
    std::unique_ptr<GKeyFile, KeyFileUnref> entry(g_key_file_new());
    GError* error = nullptr;
    if (!g_key_file_load_from_file(
            entry.get(), shippedEntry.c_str(),
            static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS),
            &error)) {
        return fail("cannot read the installed autostart entry " + shippedEntry.string() + ": " +
                    takeMessage(error));
    }
    if (!g_key_file_has_key(entry.get(), desktopEntryGroup, "Exec", nullptr)) {
        return fail(shippedEntry.string() + " is no autostart entry: it has no Exec in [" +
                    desktopEntryGroup + "]");
    }

    // 2. The configuration directory is private to the user, as the XDG
    //    base directory rules ask of a directory that did not exist.
    if (g_mkdir_with_parents(autostartDirectory.c_str(), 0700) != 0) {
        return std::unexpected(systemError("cannot create", autostartDirectory, errno));
    }

    // 3. Replaced whole, so a session starting meanwhile reads the whole
    //    entry or none.
    const std::filesystem::path target = autostartDirectory / autostartEntryName;
    gsize length = 0;
    const std::unique_ptr<gchar, decltype(&g_free)> text(
        g_key_file_to_data(entry.get(), &length, nullptr), &g_free);
    if (auto written = replaceFileDurably(target, {text.get(), length}); !written) {
        return std::unexpected(written.error());
    }
    return "The widget starts when you log in: wrote " + target.string();
}

Result<std::string> stopStartingAtLogin(const std::filesystem::path& autostartDirectory) {
    const std::filesystem::path target = autostartDirectory / autostartEntryName;
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
                                      : stopStartingAtLogin(autostartDirectory);
}

} // namespace tandry
