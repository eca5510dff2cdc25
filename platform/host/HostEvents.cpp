#include "platform/host/HostEvents.h"

#include "widget/store/JsonWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <glib.h>
#include <unistd.h>

namespace tandry {

HostEvents::HostEvents(const std::filesystem::path& file)
    : file_(::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600)) {
    if (!file_) {
        g_warning("Cannot write the host's events to %s: %s", file.c_str(), std::strerror(errno));
    }
}

void HostEvents::drawn(std::string_view kind, int load) {
    JsonWriter writer;
    writer.beginObject();
    writer.key("event");
    writer.string("drawn");
    writer.key("kind");
    writer.string(kind);
    writer.key("load");
    writer.integer(load);
    writer.endObject();
    append(writer);
}

void HostEvents::ticksShown(std::string_view kind) {
    JsonWriter writer;
    writer.beginObject();
    writer.key("event");
    writer.string("ticks");
    writer.key("kind");
    writer.string(kind);
    writer.endObject();
    append(writer);
}

void HostEvents::queueRead(std::size_t count) {
    JsonWriter writer;
    writer.beginObject();
    writer.key("event");
    writer.string("queue");
    writer.key("count");
    writer.integer(static_cast<std::int64_t>(count));
    writer.endObject();
    append(writer);
}

void HostEvents::linkOpened(std::string_view url) {
    JsonWriter writer;
    writer.beginObject();
    writer.key("event");
    writer.string("link");
    writer.key("url");
    writer.string(url);
    writer.endObject();
    append(writer);
}

void HostEvents::placed(int x, int y) {
    JsonWriter writer;
    writer.beginObject();
    writer.key("event");
    writer.string("placed");
    writer.key("x");
    writer.integer(x);
    writer.key("y");
    writer.integer(y);
    writer.endObject();
    append(writer);
}

void HostEvents::stalled(std::int64_t microseconds, std::int64_t running) {
    JsonWriter writer;
    writer.beginObject();
    writer.key("event");
    writer.string("stall");
    writer.key("microseconds");
    writer.integer(microseconds);
    writer.key("running");
    writer.integer(running);
    writer.endObject();
    append(writer);
}

void HostEvents::append(JsonWriter& writer) {
    if (!file_ || failed_) {
        return;
    }
    auto text = writer.finish();
    if (!text) {
        return;
    }
    // One write per line, so that a reader never sees half of one, and
    // lines from two threads never mix.
    *text += '\n';
    if (::write(file_.get(), text->data(), text->size()) < 0 && !failed_.exchange(true)) {
        g_warning("Cannot write the host's events: %s", std::strerror(errno));
    }
}

} // namespace tandry
