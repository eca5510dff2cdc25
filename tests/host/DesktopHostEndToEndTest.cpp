// The desktop host as a person uses it, on a virtual X display and a private
// session bus (the tests run under xvfb-run and dbus-run-session): each test
// starts a host of its own on a fresh container and watches what it does
// through its windows, the files it writes and its event file. Screenshots
// are kept in the build tree (host-artifacts/) for a person to look at.
#include "tests/support/Subprocess.h"
#include "tests/support/TemporaryDirectory.h"

#include <algorithm>
#include <chrono>
#include <fmt/chrono.h>
#include <fmt/format.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <thread>

namespace tandry {
namespace {

using Json = nlohmann::json;
using namespace std::chrono_literals;
using Strings = std::vector<std::string>;
using Clock = std::chrono::system_clock;

const std::string firstTask = "0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90";
const std::string secondTask = "9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4";
const std::string thirdTask = "4E8A1C3D-5B7F-4D29-A6E0-3F1B9C2D8E47";
const std::string fourthTask = "C7D2E9F4-1A3B-4C5D-8E6F-9A0B1C2D3E4F";

std::string snapshot(const Strings& taskIDs, const std::string& validUntil = "2099-01-01T00:00:00Z") {
    std::string tasks;
    for (const std::string& id : taskIDs) {
        tasks += (tasks.empty() ? R"({"id":")" : R"(,{"id":")") + id + R"(","title":"Task )" +
                 id.substr(0, 4) +
                 R"(","flowName":"Home","isOverdue":false,"isToday":false,"priorityRaw":"none"})";
    }
    return R"({"validUntil":")" + validUntil + R"(","paletteRaw":"forest","total":)" +
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
    const auto deadline = std::chrono::steady_clock::now() + 15s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// How long `condition` took to hold after `action`, or nullopt when it did not.
std::optional<std::chrono::milliseconds> timeTaken(const std::function<void()>& action,
                                                   const std::function<bool()>& condition) {
    const auto started = std::chrono::steady_clock::now();
    action();
    if (!waitFor(condition)) {
        return std::nullopt;
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
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
    if (!std::filesystem::exists(queue)) {
        return ids;
    }
    for (const auto& entry : std::filesystem::directory_iterator(queue)) {
        ids.push_back(Json::parse(readAll(entry.path()))["taskID"]);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

Strings lines(const std::string& text) {
    std::istringstream stream(text);
    Strings found;
    for (std::string line; std::getline(stream, line);) {
        found.push_back(line);
    }
    return found;
}

std::string utcText(Clock::time_point at) {
    return fmt::format("{:%Y-%m-%dT%H:%M:%SZ}", std::chrono::floor<std::chrono::seconds>(at));
}

class DesktopHost : public ::testing::Test {
protected:
    void SetUp() override {
        if (!environmentValue("DISPLAY") || !environmentValue("DBUS_SESSION_BUS_ADDRESS")) {
            GTEST_SKIP() << "needs an X display and a session bus (run under xvfb-run and "
                            "dbus-run-session, as ctest does)";
        }
        testing::writeFile(root_.path() / "Info.json", R"({"MarrowbyAppGroup": "end-to-end"})");
        testing::writeFile(placements, R"({"placements": [{"kind": "TandryReadyWidget",
                                          "family": "systemMedium", "x": 200, "y": 100}]})");
        // The desktop's handler for the card's link: it notes the URL and the
        // environment it was started with.
        testing::writeFile(
            handler,
            R"(env > "$0.partial"; echo "url=$1" >> "$0.partial"; mv "$0.partial" "$0.opened")");
        testing::writeFile(root_.path() / "data/applications/tandry-handler.desktop",
                           "[Desktop Entry]\nType=Application\nName=Handler\nExec=/bin/sh " +
                               handler.string() + " %u\nMimeType=x-scheme-handler/tandry;\n");
        testing::writeFile(
            root_.path() / "config/mimeapps.list",
            "[Default Applications]\nx-scheme-handler/tandry=tandry-handler.desktop\n");
        std::filesystem::create_directories(TANDRY_ARTIFACT_DIR);
    }

    void TearDown() override {
        if (HasFailure()) {
            std::cerr << "--- host log\n" << readAll(log) << "--- events\n" << readAll(events);
        }
    }

    void publish(const std::string& document) const {
        testing::writeFile(container / ".ready-snapshot.json.partial", document);
        std::filesystem::rename(container / ".ready-snapshot.json.partial",
                                container / "ready-snapshot.json");
    }

    testing::CommandResult run(const Strings& arguments) const {
        return testing::runCommand(arguments, environment);
    }

    std::unique_ptr<testing::Subprocess> startHost(Strings arguments) const {
        arguments.insert(arguments.begin(), TANDRY_HOST_BINARY);
        return std::make_unique<testing::Subprocess>(
            arguments, testing::Subprocess::Options{.environment = environment, .log = log});
    }

    // The medium card's host, drawing its tree into out/.
    std::unique_ptr<testing::Subprocess> startMediumHost(const char* scheme = "light") const {
        Strings arguments = {"--family", "medium", "--output", output.string()};
        if (scheme != nullptr) {
            arguments.insert(arguments.end(), {"--scheme", scheme});
        }
        return startHost(arguments);
    }

    std::vector<Json> buttons() const {
        std::vector<Json> found;
        const std::string tree = readAll(output / "TandryReadyWidget-medium.json");
        if (!tree.empty()) {
            collectButtons(Json::parse(tree), found);
        }
        return found;
    }

    // The host records an event for every load it draws.
    long loadsDrawn() const {
        const std::string text = readAll(events);
        const std::regex line(R"("event":"drawn","kind":"TandryReadyWidget")");
        return std::distance(std::sregex_iterator(text.begin(), text.end(), line), {});
    }

    // Waits until no load has been drawn for a while: late reports of a
    // rename or a queue record may still load once more on a busy machine.
    bool settled() const {
        return waitFor([&] {
            const auto loads = loadsDrawn();
            std::this_thread::sleep_for(300ms);
            return loadsDrawn() == loads;
        });
    }

    Strings cardWindows() const {
        return lines(
            run({TANDRY_XDOTOOL, "search", "--onlyvisible", "--classname", "tandry-widget-host"})
                .standardOutput);
    }

    std::string firstCard() const {
        Strings found;
        waitFor([&] { return !(found = cardWindows()).empty(); });
        return found.empty() ? std::string() : found.front();
    }

    std::string geometryOf(const std::string& window) const {
        return run({TANDRY_XDOTOOL, "getwindowgeometry", "--shell", window}).standardOutput;
    }

    void screenshot(const char* name) const {
        std::this_thread::sleep_for(300ms);
        run({TANDRY_IMPORT, "-window", "root", std::string(TANDRY_ARTIFACT_DIR) + "/" + name});
    }

    // The luma (0 to 255) of one point of the card that the host wrote.
    int cardLuma(int x, int y) const {
        const auto convert = std::filesystem::path(TANDRY_IMPORT).parent_path() / "convert";
        const std::string said =
            run({convert, (output / "TandryReadyWidget-medium.png").string(), "-crop",
                 fmt::format("1x1+{}+{}", x, y), "-format", "%[fx:int(255*luma)]", "info:"})
                .standardOutput;
        return said.empty() ? -1 : std::stoi(said);
    }

    // Clicks the centre of a tick button of a card at (left, top).
    void click(const Json& button, int left, int top) const {
        const Json& frame = button["frame"];
        const int x = left + static_cast<int>(frame[0].get<double>() + frame[2].get<double>() / 2);
        const int y = top + static_cast<int>(frame[1].get<double>() + frame[3].get<double>() / 2);
        run({TANDRY_XDOTOOL, "mousemove", "--sync", std::to_string(x), std::to_string(y), "click",
             "1"});
    }

    const testing::TemporaryDirectory root_;
    const std::filesystem::path container = root_.path() / "data/group-containers/end-to-end";
    const std::filesystem::path queue = container / "pending-completions";
    const std::filesystem::path log = root_.path() / "host.log";
    const std::filesystem::path events = root_.path() / "events";
    const std::filesystem::path output = root_.path() / "out";
    const std::filesystem::path placements = root_.path() / "state/tandry-widget/placements.json";
    const std::filesystem::path handler = root_.path() / "handler.sh";
    const std::filesystem::path opened = root_.path() / "handler.sh.opened";
    testing::EnvironmentChanges environment = {
        {"XDG_DATA_HOME", (root_.path() / "data").string()},
        {"XDG_STATE_HOME", (root_.path() / "state").string()},
        {"XDG_CONFIG_HOME", (root_.path() / "config").string()},
        {"XDG_DATA_DIRS", std::string(TANDRY_BUILD_SHARE_DIR) + ":/usr/local/share:/usr/share"},
        {"TANDRY_WIDGET_INFO", (root_.path() / "Info.json").string()},
        {"G_MESSAGES_DEBUG", "tandry-widget-host"},
        {"TANDRY_HOST_EVENTS", events.string()},
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
};

TEST_F(DesktopHost, AppearsWhereItWasLeftWithACirclePerTaskAndEnglishTexts) {
    publish(snapshot({firstTask, secondTask, thirdTask}));
    const auto host = startMediumHost();
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 3; }));
    const std::string window = firstCard();
    ASSERT_FALSE(window.empty());
    EXPECT_NE(geometryOf(window).find("X=200\nY=100\nWIDTH=364\nHEIGHT=170\n"), std::string::npos)
        << geometryOf(window);
    const std::string tree = readAll(output / "TandryReadyWidget-medium.json");
    EXPECT_EQ(tree.find("widget."), std::string::npos) << tree;
    EXPECT_NE(tree.find("Ready"), std::string::npos) << tree;
    const std::string title = run({TANDRY_XDOTOOL, "getwindowname", window}).standardOutput;
    EXPECT_EQ(title.find("widget."), std::string::npos) << title;
    // The log says where the widget waits for a container only when there is none.
    EXPECT_EQ(readAll(log).find("No shared container"), std::string::npos);
    screenshot("1-before-tick.png");
}

TEST_F(DesktopHost, AClickOnACircleParksItsTickAndTheKeyboardReachesTheNext) {
    publish(snapshot({firstTask, secondTask, thirdTask}));
    const auto host = startMediumHost();
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 3; }));
    const std::string window = firstCard();

    // The card loses the task at once: drawn from the entry shown, ahead of
    // the next load.
    ASSERT_EQ(buttons().front()["intent"]["taskID"], firstTask);
    click(buttons().front(), 200, 100);
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 2; }));
    EXPECT_EQ(queuedTaskIDs(queue), Strings{firstTask});
    EXPECT_EQ(buttons().front()["intent"]["taskID"], secondTask);
    EXPECT_NE(readAll(events).find(R"("event":"ticks","kind":"TandryReadyWidget")"),
              std::string::npos);
    screenshot("2-after-tick.png");

    // Tab to the first circle, Space to press it.
    run({TANDRY_XDOTOOL, "windowfocus", "--sync", window});
    run({TANDRY_XDOTOOL, "key", "--window", window, "Tab", "space"});
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 1; }));
    EXPECT_EQ(queuedTaskIDs(queue), (Strings{firstTask, secondTask}));
}

TEST_F(DesktopHost, DrawsARenamedSnapshotAndReloadsOnRequestForItsKindOnly) {
    publish(snapshot({firstTask}));
    const auto host = startMediumHost();
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 1; }));

    publish(snapshot({thirdTask, fourthTask}));
    ASSERT_TRUE(waitFor([&] {
        const auto now = buttons();
        return now.size() == 2 && now[1]["intent"]["taskID"] == fourthTask;
    }));
    ASSERT_TRUE(settled());

    // The time a reload of this kind takes to be drawn sets how long to
    // wait before saying that a reload of another kind drew nothing.
    const auto loadsBefore = loadsDrawn();
    const auto reloaded = timeTaken(
        [&] { EXPECT_EQ(run({TANDRY_WIDGET_BINARY, "reload"}).exitStatus, 0); },
        [&] { return loadsDrawn() == loadsBefore + 1; });
    ASSERT_TRUE(reloaded.has_value());
    const auto settle = std::max(5 * *reloaded, std::chrono::milliseconds(200));
    EXPECT_EQ(run({TANDRY_WIDGET_BINARY, "reload", "SomeOtherWidget"}).exitStatus, 0);
    std::this_thread::sleep_for(settle);
    EXPECT_EQ(loadsDrawn(), loadsBefore + 1) << "waited " << settle.count() << " ms";
}

TEST_F(DesktopHost, ReloadsOnEveryActionOfItsDesktopEntry) {
    // Launchers send them by name, without a parameter.
    publish(snapshot({firstTask}));
    const auto host = startMediumHost();
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 1; }));
    ASSERT_TRUE(settled());
    Strings offered;
    for (const std::string& line : lines(readAll(std::filesystem::path(TANDRY_BUILD_SHARE_DIR) /
                                                 "applications/app.tandry.WidgetHost.desktop"))) {
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
        EXPECT_TRUE(waitFor([&] { return loadsDrawn() == loads + 1; }));
    }
}

TEST_F(DesktopHost, ShowsTicksFromTheBusAndFromTheCommandLine) {
    publish(snapshot({thirdTask, fourthTask}));
    const auto host = startMediumHost();
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 2; }));

    run({TANDRY_GAPPLICATION, "action", "app.tandry.WidgetHost", "tick-ready-task",
         "'" + fourthTask + "'"});
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 1; }));

    // Another process's tick shows by the parked ticks read on its reload
    // request, or by a load already on its way, whichever reads the queue first.
    EXPECT_EQ(run({TANDRY_WIDGET_BINARY, "tick", thirdTask}).exitStatus, 0);
    ASSERT_TRUE(waitFor([&] { return buttons().empty(); }));
    EXPECT_EQ(queuedTaskIDs(queue), (Strings{thirdTask, fourthTask}));
}

TEST_F(DesktopHost, AClickAwayFromTheCirclesOpensTheLinkWithTheUsersEnvironment) {
    publish(snapshot({firstTask}));
    const auto host = startMediumHost();
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 1; }));
    run({TANDRY_XDOTOOL, "mousemove", "--sync", "500", "250", "click", "1"});
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(opened); }));
    const std::string handled = readAll(opened);
    EXPECT_NE(handled.find("url=tandry://ready\n"), std::string::npos) << handled;
    // Not the host's own choice of renderer.
    EXPECT_EQ(handled.find("GSK_RENDERER="), std::string::npos) << handled;
    EXPECT_EQ(handled.find("GDK_DEBUG="), std::string::npos) << handled;
    EXPECT_EQ(handled.find("GDK_DISABLE="), std::string::npos) << handled;
    EXPECT_NE(readAll(events).find(R"("event":"link","url":"tandry://ready")"), std::string::npos);
    EXPECT_TRUE(queuedTaskIDs(queue).empty());

    EXPECT_EQ(host->stop(), 0);
    EXPECT_NE(readAll(placements).find(R"("x": 200)"), std::string::npos) << readAll(placements);
}

TEST_F(DesktopHost, StartedBareItSpeaksEnglishAndSaysWhereItWaitsForTheContainer) {
    // Nothing but the bus, the display and a data directory without a
    // container, as the session bus may start it on a first run.
    const auto bareLog = root_.path() / "bare.log";
    testing::Subprocess bareHost(
        {"/usr/bin/env", "-i",
         "DBUS_SESSION_BUS_ADDRESS=" + *environmentValue("DBUS_SESSION_BUS_ADDRESS"),
         "DISPLAY=" + *environmentValue("DISPLAY"),
         "XAUTHORITY=" + environmentValue("XAUTHORITY").value_or(""),
         "XDG_DATA_HOME=" + (root_.path() / "bare-data").string(),
         // The leak checker's rules for the desktop stack, in sanitizer builds.
         "LSAN_OPTIONS=" + environmentValue("LSAN_OPTIONS").value_or(""), TANDRY_HOST_BINARY,
         "--family", "small", "--output", output.string()},
        {.log = bareLog});
    ASSERT_TRUE(waitFor([&] { return !readAll(output / "TandryReadyWidget-small.json").empty(); }))
        << readAll(bareLog);
    const std::string tree = readAll(output / "TandryReadyWidget-small.json");
    EXPECT_EQ(tree.find("widget."), std::string::npos) << tree;
    EXPECT_NE(tree.find("Open Tandry to see your ready tasks."), std::string::npos) << tree;
    EXPECT_EQ(bareHost.stop(), 0) << readAll(bareLog);
    EXPECT_NE(
        readAll(bareLog).find(
            "No shared container yet: the widget waits for the task manager to create " +
            (root_.path() / "bare-data/group-containers/T4NDRY7QX2.app.tandry.taskmanager")
                .string()),
        std::string::npos)
        << readAll(bareLog);
}

TEST_F(DesktopHost, DrawsTheContainerThatAppearsWhileItRuns) {
    // A first run: the host starts before the task manager has made its
    // container, and waits for it.
    const auto host = startMediumHost();
    ASSERT_TRUE(waitFor([&] { return loadsDrawn() >= 1; }));
    EXPECT_TRUE(buttons().empty());
    EXPECT_NE(readAll(output / "TandryReadyWidget-medium.json")
                  .find("Open Tandry to see your ready tasks."),
              std::string::npos);
    EXPECT_NE(readAll(log).find("No shared container yet"), std::string::npos);

    std::filesystem::create_directories(container);
    publish(snapshot({firstTask, secondTask}));
    EXPECT_TRUE(waitFor([&] { return buttons().size() == 2; }));
}

TEST_F(DesktopHost, TurnsOverWhenItsSnapshotExpires) {
    // The wall-clock alarm loads again at validUntil, with no change in the
    // container to wake the host: the card then says the list is out of date.
    const auto validUntil = std::chrono::ceil<std::chrono::seconds>(Clock::now()) + 6s;
    publish(snapshot({firstTask, secondTask}, utcText(validUntil)));
    const auto host = startMediumHost();
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 2; }));
    ASSERT_TRUE(settled());
    const auto loads = loadsDrawn();
    const auto stale = [&] {
        return readAll(output / "TandryReadyWidget-medium.json")
                   .find("Open Tandry to refresh your ready tasks.") != std::string::npos;
    };
    ASSERT_LT(Clock::now(), validUntil - 1s) << "the machine is too slow for this test";
    EXPECT_FALSE(stale());
    ASSERT_TRUE(waitFor(stale));
    EXPECT_GE(Clock::now(), validUntil);
    EXPECT_TRUE(buttons().empty());
    // Drawn by a load of its own (its event follows the drawing).
    EXPECT_TRUE(waitFor([&] { return loadsDrawn() == loads + 1; }));
}

TEST_F(DesktopHost, FollowsTheDesktopsColourSchemeThroughTheSettingsPortal) {
    // A session bus of its own, on which nothing is activatable: where the
    // desktop's portal is installed, the shared bus starts it at the first
    // host's question.
    const auto busConfig = root_.path() / "bus.conf";
    testing::writeFile(busConfig, R"(<busconfig><type>session</type>
        <listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>
        <policy context="default"><allow send_destination="*" eavesdrop="true"/>
        <allow eavesdrop="true"/><allow own="*"/></policy>
        </busconfig>)");
    const auto busLog = root_.path() / "bus.log";
    testing::Subprocess bus({TANDRY_DBUS_DAEMON, "--config-file=" + busConfig.string(),
                             "--nofork", "--print-address=1"},
                            {.log = busLog});
    ASSERT_TRUE(waitFor([&] { return readAll(busLog).find('\n') != std::string::npos; }));
    environment["DBUS_SESSION_BUS_ADDRESS"] = lines(readAll(busLog)).front();

    const auto portalLog = root_.path() / "portal.log";
    testing::Subprocess portal({TANDRY_SETTINGS_PORTAL, "1"},
                               {.environment = environment, .log = portalLog});
    ASSERT_TRUE(waitFor([&] { return readAll(portalLog).find("ready") != std::string::npos; }))
        << readAll(portalLog);
    publish(snapshot({firstTask}));
    // No --scheme: the card follows the desktop.
    const auto host = startMediumHost(nullptr);
    const auto dark = [&] {
        const int luma = cardLuma(20, 20);
        return luma >= 0 && luma < 80;
    };
    const auto light = [&] { return cardLuma(20, 20) > 180; };
    ASSERT_TRUE(waitFor([&] { return buttons().size() == 1; }));
    EXPECT_TRUE(waitFor(dark)) << cardLuma(20, 20);

    const auto set = [&](const char* value) {
        const auto said =
            run({std::filesystem::path(TANDRY_GAPPLICATION).parent_path() / "gdbus", "call",
                 "--session", "--dest", "org.freedesktop.portal.Desktop", "--object-path",
                 "/org/freedesktop/portal/desktop", "--method",
                 "app.tandry.test.SettingsPortal.Set", value});
        EXPECT_EQ(said.exitStatus, 0) << said.standardError;
    };
    set("2");
    EXPECT_TRUE(waitFor(light)) << cardLuma(20, 20);
    set("1");
    EXPECT_TRUE(waitFor(dark)) << cardLuma(20, 20);
    // No preference is light.
    set("0");
    EXPECT_TRUE(waitFor(light)) << cardLuma(20, 20);
}

TEST_F(DesktopHost, BringsBackADozenOfAThousandPlacesOffTheScreenOnIt) {
    // Started as autostart starts it, without --family.
    std::string thousand = R"({"placements": [)";
    for (int i = 0; i < 1000; ++i) {
        thousand += std::string(i == 0 ? "" : ",") +
                    R"({"kind": "TandryReadyWidget", "family": "systemSmall", "x": 100000, "y": )" +
                    std::to_string(-100000 - i) + "}";
    }
    testing::writeFile(placements, thousand + "]}");
    publish(snapshot({firstTask}));
    const auto crowd = startHost({"--scheme", "light"});
    ASSERT_TRUE(waitFor([&] { return cardWindows().size() == 12; }));
    for (const std::string& card : cardWindows()) {
        const std::string where = geometryOf(card);
        SCOPED_TRACE(where);
        // A 170-point card in the top-right corner of the 1024x768 screen.
        EXPECT_NE(where.find("X=854\nY=0\n"), std::string::npos);
    }
    EXPECT_NE(readAll(log).find("Restoring the first 12 of 1000 saved widgets"), std::string::npos);
    EXPECT_EQ(crowd->stop(), 0);
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
