#include "platform/host/Autostart.h"

#include "platform/GLibOwnership.h"

#include <cerrno>
#include <cstring>
#include <glib.h>
#include <memory>
#include <unistd.h>

namespace tandry {
namespace {

constexpr const char* desktopEntryGroup = "Desktop Entry";

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

    // 2. The configuration directory is private to the user, as the XDG
    //    base directory rules ask of a directory that did not exist.
    if (g_mkdir_with_parents(autostartDirectory.c_str(), 0700) != 0) {
        return fail("cannot create " + autostartDirectory.string() + ": " + std::strerror(errno));
    }

    // 3. Written under a temporary name and renamed into place, so a session
    //    starting meanwhile reads the whole entry or none.
    const std::filesystem::path target = autostartDirectory / autostartEntryName;
    if (!g_key_file_save_to_file(entry.get(), target.c_str(), out(error))) {
        return fail("cannot write " + target.string() + ": " + messageOf(error));
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
    return fail("cannot remove " + target.string() + ": " + std::strerror(errno));
}

} // namespace

std::filesystem::path shippedAutostartEntry() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return executable.parent_path().parent_path() / "share" / "tandry-widget" / "autostart" /
           autostartEntryName;
}

std::filesystem::path userAutostartDirectory() {
    return std::filesystem::path(g_get_user_config_dir()) / "autostart";
}

Result<std::string> setStartAtLogin(StartAtLogin choice, const std::filesystem::path& shippedEntry,
                                    const std::filesystem::path& autostartDirectory) {
    return choice == StartAtLogin::on ? startAtLogin(shippedEntry, autostartDirectory)
                                      : stopStartingAtLogin(autostartDirectory);
}

} // namespace tandry
