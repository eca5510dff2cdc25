#include "tests/bridges/EdsHome.h"

#include <arpa/inet.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tandry {
namespace {

using testing::EdsHome;

// A port on 127.0.0.1 that nothing listens on now.
int freePort() {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

// A task list that the data server keeps in step with a collection on a
// radicale of the test's own, on 127.0.0.1 with a temporary storage folder.
class EdsCaldav : public EdsHome {
protected:
    EdsCaldav() : port_(freePort()) {
        testing::writeFile(
            collectionFolder() / ".Radicale.props",
            R"({"tag": "VCALENDAR", "C:supported-calendar-component-set": "VTODO"})");
    }

    std::filesystem::path collectionFolder() const {
        return home.path() / "radicale/collection-root/ann/tasks";
    }
    std::string collectionUrl() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/ann/tasks/";
    }

    void startServer() {
        server_ = std::make_unique<testing::Subprocess>(
            Words{"radicale", "--storage-filesystem-folder", (home.path() / "radicale").string(),
                  "--server-hosts", "127.0.0.1:" + std::to_string(port_), "--auth-type", "none",
                  "--rights-type", "authenticated", "--logging-level", "warning"},
            testing::Subprocess::Options{.log = home.path() / "radicale.log"});
        for (int attempt = 0; attempt < 100 && curl({"-o", "/dev/null", collectionUrl()}) != "200";
             ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    void stopServer() { server_.reset(); }

    // Runs curl with `words`; the HTTP status it got.
    static std::string curl(Words words) {
        words.insert(words.begin(), {"curl", "-s", "-w", "%{http_code}"});
        return testing::runCommand(words).standardOutput;
    }

    // Puts a VTODO on the server as another CalDAV client would.
    void put(const std::string& uid, const std::string& summary) const {
        const std::string body = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//tests//EN\r\n"
                                 "BEGIN:VTODO\r\nUID:" +
                                 uid + "\r\nSUMMARY:" + summary +
                                 "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
        EXPECT_EQ(curl({"-o", "/dev/null", "-X", "PUT", "-H", "Content-Type: text/calendar",
                        "--data-binary", body, collectionUrl() + uid + ".ics"}),
                  "201");
    }

    // The item as radicale stores it.
    std::string stored(const std::string& uid) const {
        std::ifstream in(collectionFolder() / (uid + ".ics"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    int port_;
    std::unique_ptr<testing::Subprocess> server_;
};

TEST_F(EdsCaldav, TicksReachTheServerAndItsTasksReachTheCard) {
    startServer();
    put("rent", "Pay rent");
    createList("Shared", collectionUrl());

    // 1. A task on the server shows on the card.
    const auto first = bridge({"--once"});
    ASSERT_EQ(first.exitStatus, 0) << first.standardError;
    const std::string rent = idOf("Pay rent");
    ASSERT_FALSE(rent.empty()) << card();

    // 2. A tick completes it on the server.
    tick(rent);
    const auto ticked = bridge({"--once"});
    ASSERT_EQ(ticked.exitStatus, 0) << ticked.standardError;
    EXPECT_EQ(parkedRecords(), 0u);
    EXPECT_NE(stored("rent").find("STATUS:COMPLETED"), std::string::npos) << stored("rent");

    // 3. A task another client puts on the server shows once the list is refreshed.
    put("mail", "Sort the mail");
    ASSERT_EQ(bridge({"--once"}).exitStatus, 0);
    const std::string mail = idOf("Sort the mail");
    ASSERT_FALSE(mail.empty()) << card();

    // 4. With the server stopped, the data server keeps the completion in
    //    its offline copy of the list and sends it once the server is back.
    stopServer();
    tick(mail);
    const auto offline = bridge({"--once"});
    EXPECT_EQ(offline.exitStatus, 0) << offline.standardError;
    EXPECT_EQ(parkedRecords(), 0u);
    EXPECT_TRUE(listedIds(card()).empty()) << card();
    EXPECT_EQ(stored("mail").find("STATUS:COMPLETED"), std::string::npos);
    startServer();
    const auto online = bridge({"--once"});
    EXPECT_EQ(online.exitStatus, 0) << online.standardError;
    EXPECT_EQ(parkedRecords(), 0u);
    EXPECT_NE(stored("mail").find("STATUS:COMPLETED"), std::string::npos) << stored("mail");
}

} // namespace
} // namespace tandry
