// The desktop host as a person uses it, on a virtual X display and a private
// session bus (the test runs under xvfb-run and dbus-run-session): the widget
// appears, a click on a tick circle parks the tick and the card redraws
// without the task, the keyboard reaches the circles, a new snapshot and the
// command line's reload are picked up, the host's actions work over the bus
// (those of its desktop entry as launchers send them), the texts are English
// in the C locale and in an empty environment, a click elsewhere on the card
// opens the card's link with the user's environment, and a file of a
// thousand placements off the screen brings back a dozen widgets on it. Screenshots are kept in the
// build tree (host-artifacts/) for a person to look at.
#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <thread>

namespace tandry {
namespace {

using Json = nlohmann::json;
using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

const std::string firstTask = "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90";
const std::string secondTask = "9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4";
const std::string thirdTask = "4E8A1C3D-5B7F-4D29-A6E0-3F1B9C2D8E47";
const std::string fourthTask = "C7D2E9F4-1A3B-4C5D-8E6F-9A0B1C2D3E4F";

std::string snapshot(const Strings& taskIDs) {
    std::string tasks;
    for (const std::string& id : taskIDs) {
        tasks += (tasks.empty() ? R"({"id":")" : R"(,{"id":")") + id + R"(","title":"Task )" +
                 id.substr(0, 4) +
                 R"(","flowName":"Home","isOverdue":false,"isToday":false,"priorityRaw":"none"})";
    }
    return R"({"validUntil":"2099-01-01T00:00:00Z","paletteRaw":"forest","total":)" +
           std::to_string(taskIDs.size()) + R"(,"tasks":[)" + tasks + "]}";
}

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

bool waitFor(const std::function<bool()>& condition) {
    for (int attempt = 0; attempt < 1500 && !condition(); ++attempt) {
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

// The tick buttons of the laid-out tree that the host writes, in reading order.
void collectButtons(const Json& node, std::vector<Json>& buttons) {
    if (node.value("kind", "") == "button") {
        buttons.push_back(node);
    }
    for (const Json& child : node.value("children", Json::array())) {
        collectButtons(child, buttons);
    }
}

Strings queuedTaskIDs(const std::filesystem::path& queue) {
    Strings ids;
    for (const auto& entry : std::filesystem::directory_iterator(queue)) {
        ids.push_back(Json::parse(readAll(entry.path()))["taskID"]);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

TEST(DesktopHost, WorksAsAPersonUsesIt) {
    if (std::getenv("DISPLAY") == nullptr || std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
        GTEST_SKIP() << "needs an X display and a session bus (run under xvfb-run and "
                        "dbus-run-session, as ctest does)";
    }
    const testing::TemporaryDirectory root;
    const auto container = root.path() / "data/group-containers/end-to-end";
    const auto queue = container / "pending-completions";
    const auto log = root.path() / "host.log";
    testing::writeFile(root.path() / "Info.json", R"({"MarrowbyAppGroup": "end-to-end"})");
    testing::writeFile(container / "ready-snapshot.json",
                       snapshot({firstTask, secondTask, thirdTask}));
    const auto placements = root.path() / "state/tandry-widget/placements.json";
    testing::writeFile(placements, R"({"placements": [{"kind": "TandryReadyWidget",
                                      "family": "systemMedium", "x": 200, "y": 100}]})");
    // The desktop's handler for the card's link: it notes the URL and the
    // environment it was started with.
    const auto handler = root.path() / "handler.sh";
    const auto opened = root.path() / "handler.sh.opened";
    testing::writeFile(
        handler,
        R"(env > "$0.partial"; echo "url=$1" >> "$0.partial"; mv "$0.partial" "$0.opened")");
    testing::writeFile(root.path() / "data/applications/tandry-handler.desktop",
                       "[Desktop Entry]\nType=Application\nName=Handler\nExec=/bin/sh " +
                           handler.string() + " %u\nMimeType=x-scheme-handler/tandry;\n");
    testing::writeFile(root.path() / "config/mimeapps.list",
                       "[Default Applications]\nx-scheme-handler/tandry=tandry-handler.desktop\n");
    std::filesystem::create_directories(TANDRY_ARTIFACT_DIR);
    const std::map<std::string, std::optional<std::string>> environment = {
        {"XDG_DATA_HOME", (root.path() / "data").string()},
        {"XDG_STATE_HOME", (root.path() / "state").string()},
        {"XDG_CONFIG_HOME", (root.path() / "config").string()},
        {"XDG_DATA_DIRS", std::string(TANDRY_BUILD_SHARE_DIR) + ":/usr/local/share:/usr/share"},
        {"TANDRY_WIDGET_INFO", (root.path() / "Info.json").string()},
        {"G_MESSAGES_DEBUG", "tandry-widget-host"},
        {"TANDRY_HOST_EVENTS", (root.path() / "events").string()},
        {"GDK_BACKEND", "x11"},
        // The host's own choice of renderer, which programs it starts must not inherit.
        {"GSK_RENDERER", std::nullopt},
        {"GDK_DEBUG", std::nullopt},
        {"GDK_DISABLE", std::nullopt},
        // The C locale, as a host started by the session bus without LANG
        // inherits it: the texts are English, not message keys.
        {"LANG", "C"},
        {"LC_ALL", std::nullopt},
        {"LC_MESSAGES", std::nullopt},
        {"LANGUAGE", std::nullopt},
    };
    const auto run = [&](const Strings& arguments) {
        return testing::runCommand(arguments, environment);
    };
    const auto buttons = [&] {
        std::vector<Json> found;
        const std::string tree = readAll(root.path() / "out/TandryReadyWidget-medium.json");
        if (!tree.empty()) {
            collectButtons(Json::parse(tree), found);
        }
        return found;
    };
    // The host records an event for every load it draws.
    const auto loadsDrawn = [&] {
        const std::string text = readAll(root.path() / "events");
        const std::regex line(R"("event":"drawn","kind":"TandryReadyWidget")");
        return std::distance(std::sregex_iterator(text.begin(), text.end(), line), {});
    };
    const auto screenshot = [&](const char* name) {
        std::this_thread::sleep_for(300ms);
        run({TANDRY_IMPORT, "-window", "root", std::string(TANDRY_ARTIFACT_DIR) + "/" + name});
    };

    testing::Subprocess host({TANDRY_HOST_BINARY, "--family", "medium", "--scheme", "light",
                              "--output", (root.path() / "out").string()},
                             {.environment = environment, .log = log});

    // 1. The widget appears where it was left, in a window of its size, with
    //    a circle per task.
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 3; })) << readAll(log);
    std::istringstream found(run({TANDRY_XDOTOOL, "search", "--sync", "--onlyvisible",
                                  "--classname", "tandry-widget-host"})
                                 .standardOutput);
    std::string window;
    ASSERT_TRUE(std::getline(found, window)) << readAll(log);
    const std::string geometry =
        run({TANDRY_XDOTOOL, "getwindowgeometry", "--shell", window}).standardOutput;
    EXPECT_NE(geometry.find("X=200\nY=100\nWIDTH=364\nHEIGHT=170\n"), std::string::npos)
        << geometry;
    const std::string tree = readAll(root.path() / "out/TandryReadyWidget-medium.json");
    EXPECT_EQ(tree.find("widget."), std::string::npos) << tree;
    EXPECT_NE(tree.find("Ready"), std::string::npos) << tree;
    const std::string title = run({TANDRY_XDOTOOL, "getwindowname", window}).standardOutput;
    EXPECT_EQ(title.find("widget."), std::string::npos) << title;
    screenshot("1-before-tick.png");

    // 2. A click on the first circle parks its tick, and the card loses the
    //    task at once: drawn from the entry shown, ahead of the next load.
    const Json first = buttons().front();
    ASSERT_EQ(first["intent"]["taskID"], firstTask);
    const Json& frame = first["frame"];
    const int x = 200 + static_cast<int>(frame[0].get<double>() + frame[2].get<double>() / 2);
    const int y = 100 + static_cast<int>(frame[1].get<double>() + frame[3].get<double>() / 2);
    run({TANDRY_XDOTOOL, "mousemove", "--sync", std::to_string(x), std::to_string(y), "click",
         "1"});
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 2; })) << readAll(log);
    EXPECT_EQ(queuedTaskIDs(queue), Strings{firstTask});
    EXPECT_EQ(buttons().front()["intent"]["taskID"], secondTask);
    EXPECT_NE(readAll(root.path() / "events").find(R"("event":"ticks","kind":"TandryReadyWidget")"),
              std::string::npos)
        << readAll(log);
    screenshot("2-after-tick.png");

    // 3. The keyboard reaches the circles: Tab to the first, Space to press it.
    run({TANDRY_XDOTOOL, "windowfocus", "--sync", window});
    run({TANDRY_XDOTOOL, "key", "--window", window, "Tab", "space"});
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 1; })) << readAll(log);
    EXPECT_EQ(queuedTaskIDs(queue), (Strings{firstTask, secondTask}));

    // 4. A snapshot renamed into place is drawn; `tandry-widget reload` loads
    //    again, a reload of another kind does not.
    testing::writeFile(container / ".ready-snapshot.json.partial",
                       snapshot({thirdTask, fourthTask}));
    std::filesystem::rename(container / ".ready-snapshot.json.partial",
                            container / "ready-snapshot.json");
    ASSERT_TRUE(waitFor([&] {
        const auto now = buttons();
        return now.size() == 2 && now[1]["intent"]["taskID"] == fourthTask;
    })) << readAll(log);
    // Late reports of the tick's queue record and of the rename may still
    // load once more on a busy machine; count from when the host is quiet.
    const auto quiet = [&] {
        const auto loads = loadsDrawn();
        std::this_thread::sleep_for(300ms);
        return loadsDrawn() == loads;
    };
    ASSERT_TRUE(waitFor(quiet)) << readAll(log);
    const auto loadsBefore = loadsDrawn();
    EXPECT_EQ(run({TANDRY_WIDGET_BINARY, "reload"}).exitStatus, 0);
    EXPECT_TRUE(waitFor([&] { return loadsDrawn() == loadsBefore + 1; })) << readAll(log);
    EXPECT_EQ(run({TANDRY_WIDGET_BINARY, "reload", "SomeOtherWidget"}).exitStatus, 0);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(loadsDrawn(), loadsBefore + 1);

    // 5. Every action of the desktop entry works as launchers send it: by
    //    name, without a parameter. Here each of them reloads.
    std::istringstream entry(readAll(std::filesystem::path(TANDRY_BUILD_SHARE_DIR) /
                                     "applications/app.tandry.WidgetHost.desktop"));
    Strings offered;
    for (std::string line; std::getline(entry, line);) {
        if (line.starts_with("Actions=")) {
            std::istringstream names(line.substr(8));
            for (std::string name; std::getline(names, name, ';');) {
                offered.push_back(name);
            }
        }
    }
    ASSERT_FALSE(offered.empty());
    for (const std::string& action : offered) {
        SCOPED_TRACE(action);
        const auto loads = loadsDrawn();
        const auto activated =
            run({std::filesystem::path(TANDRY_GAPPLICATION).parent_path() / "gdbus", "call",
                 "--session", "--dest", "app.tandry.WidgetHost", "--object-path",
                 "/app/tandry/WidgetHost", "--method", "org.freedesktop.Application.ActivateAction",
                 action, "[]", "{}"});
        EXPECT_EQ(activated.exitStatus, 0) << activated.standardError;
        EXPECT_TRUE(waitFor([&] { return loadsDrawn() == loads + 1; })) << readAll(log);
    }

    // 6. The tick is also the host's action on the session bus.
    run({TANDRY_GAPPLICATION, "action", "app.tandry.WidgetHost", "tick-ready-task",
         "'" + fourthTask + "'"});
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 1; })) << readAll(log);

    // 6b. A tick from the command line, another process, shows too: by the
    //     parked ticks read on its reload request, or by a load already on
    //     its way, whichever reads the queue first.
    EXPECT_EQ(run({TANDRY_WIDGET_BINARY, "tick", thirdTask}).exitStatus, 0);
    ASSERT_TRUE(waitFor([&] { return buttons().empty(); })) << readAll(log);

    // 7. A click on the card away from its circle opens the card's link with
    //    the scheme's handler, which gets the user's environment (not the
    //    host's renderer), and ticks nothing.
    run({TANDRY_XDOTOOL, "mousemove", "--sync", "500", "250", "click", "1"});
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(opened); })) << readAll(log);
    const std::string handled = readAll(opened);
    EXPECT_NE(handled.find("url=tandry://ready\n"), std::string::npos) << handled;
    EXPECT_EQ(handled.find("GSK_RENDERER="), std::string::npos) << handled;
    EXPECT_EQ(handled.find("GDK_DEBUG="), std::string::npos) << handled;
    EXPECT_EQ(handled.find("GDK_DISABLE="), std::string::npos) << handled;
    EXPECT_EQ(queuedTaskIDs(queue).size(), 4U);

    EXPECT_EQ(host.stop(), 0);
    EXPECT_NE(readAll(placements).find(R"("x": 200)"), std::string::npos) << readAll(placements);

    // 8. Started with nothing but the bus, the display and a data directory
    //    without a container, as the session bus may start it on a first
    //    run, the card shows English texts, not message keys, and the log
    //    says where the widget looks for the container (and only then).
    const auto bare = root.path() / "bare";
    testing::Subprocess bareHost(
        {"/usr/bin/env", "-i",
         "DBUS_SESSION_BUS_ADDRESS=" + *environmentValue("DBUS_SESSION_BUS_ADDRESS"),
         "DISPLAY=" + *environmentValue("DISPLAY"),
         "XAUTHORITY=" + environmentValue("XAUTHORITY").value_or(""),
         "XDG_DATA_HOME=" + (root.path() / "bare-data").string(),
         // The leak checker's rules for the desktop stack, in sanitizer builds.
         "LSAN_OPTIONS=" + environmentValue("LSAN_OPTIONS").value_or(""), TANDRY_HOST_BINARY,
         "--family", "small", "--output", bare.string()},
        {.log = root.path() / "bare.log"});
    ASSERT_TRUE(waitFor([&] { return !readAll(bare / "TandryReadyWidget-small.json").empty(); }))
        << readAll(root.path() / "bare.log");
    const std::string bareTree = readAll(bare / "TandryReadyWidget-small.json");
    EXPECT_EQ(bareTree.find("widget."), std::string::npos) << bareTree;
    EXPECT_EQ(bareHost.stop(), 0) << readAll(root.path() / "bare.log");
    EXPECT_NE(
        readAll(root.path() / "bare.log")
            .find("No shared container yet: the widget waits for the task manager to create " +
                  (root.path() / "bare-data/group-containers/T4NDRY7QX2.app.tandry.taskmanager")
                      .string()),
        std::string::npos)
        << readAll(root.path() / "bare.log");
    EXPECT_EQ(readAll(log).find("No shared container"), std::string::npos) << readAll(log);

    // 9. Started as autostart starts it, without --family, from a file of a
    //    thousand placements far off the screen: a dozen widgets come back,
    //    each wholly on the screen, and the log says what was left out.
    std::string thousand = R"({"placements": [)";
    for (int i = 0; i < 1000; ++i) {
        thousand += std::string(i == 0 ? "" : ",") +
                    R"({"kind": "TandryReadyWidget", "family": "systemSmall", "x": 100000, "y": )" +
                    std::to_string(-100000 - i) + "}";
    }
    testing::writeFile(placements, thousand + "]}");
    const auto crowdLog = root.path() / "crowd.log";
    testing::Subprocess crowd({TANDRY_HOST_BINARY, "--scheme", "light"},
                              {.environment = environment, .log = crowdLog});
    const auto cards = [&] {
        std::istringstream lines(
            run({TANDRY_XDOTOOL, "search", "--onlyvisible", "--classname", "tandry-widget-host"})
                .standardOutput);
        Strings found;
        for (std::string line; std::getline(lines, line);) {
            found.push_back(line);
        }
        return found;
    };
    ASSERT_TRUE(waitFor([&] { return cards().size() == 12; })) << readAll(crowdLog);
    for (const std::string& card : cards()) {
        const std::string where =
            run({TANDRY_XDOTOOL, "getwindowgeometry", "--shell", card}).standardOutput;
        SCOPED_TRACE(where);
        // A 170-point card in the top-right corner of the 1024x768 screen.
        EXPECT_NE(where.find("X=854\nY=0\n"), std::string::npos);
    }
    EXPECT_NE(readAll(crowdLog).find("Restoring the first 12 of 1000 saved widgets"),
              std::string::npos)
        << readAll(crowdLog);
    EXPECT_EQ(crowd.stop(), 0) << readAll(crowdLog);
    // What is saved is the dozen places as the user left them, off the
    // screen: a monitor there may come back.
    const Json saved = Json::parse(readAll(placements));
    ASSERT_EQ(saved["placements"].size(), 12U) << saved;
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(saved["placements"][i]["x"], 100000) << saved;
        EXPECT_EQ(saved["placements"][i]["y"], -100000 - i) << saved;
    }
}

} // namespace
} // namespace tandry
