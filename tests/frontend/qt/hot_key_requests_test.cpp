// --send-hotkey as the program runs it, against a request socket in this
// process: what each answer makes of its exit status and message, and
// another user refused whatever the file modes let through.
#include "frontend/qt/hot_key_requests.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include <string>
#include <vector>

#include "support/hot_key_sender.h"

namespace vantorix {
namespace {

// Another user, when the test runs as root.
constexpr int kOtherUserId = 64124;

class HotKeyRequestsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        path = folder.filePath(QStringLiteral("vantorix-hotkeys"));
    }

    test::SenderRun send(int hotKey, std::optional<int> userId = std::nullopt) {
        return test::sendHotKey(hotKey, folder.path(), userId);
    }

    QTemporaryDir folder;
    QString path;
    std::vector<int> ran;
};

TEST_F(HotKeyRequestsTest, EachAnswerEndsTheSenderWithItsOwnStatusAndMessage) {
    struct Case {
        HotKeyRequestAnswer answer;
        int hotKey;
        int exitStatus;
        const char* saying;
    };
    const Case cases[] = {
        {HotKeyRequestAnswer::Ran, 2, 0, ""},
        {HotKeyRequestAnswer::NotRunning, 1, 4, "not redirecting"},
        {HotKeyRequestAnswer::NotEnabled, 2, 5, "Hot key 2 was not enabled"},
        {HotKeyRequestAnswer::OtherUser, 1, 6, "another user"},
        {HotKeyRequestAnswer::NotUnderstood, 1, 3, "did not understand"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(answerLine(c.answer));
        ran.clear();
        HotKeyRequests requests(path, [&](int hotKey) {
            ran.push_back(hotKey);
            return c.answer;
        });
        ASSERT_EQ(requests.listen(), HotKeyRequests::Listening::Yes) << requests.problem();
        const test::SenderRun run = send(c.hotKey);
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.errors.find(c.saying), std::string::npos) << run.errors;
        EXPECT_EQ(run.errors.empty(), c.exitStatus == 0) << run.errors;
        EXPECT_EQ(ran, std::vector<int>{c.hotKey});
    }
}

TEST_F(HotKeyRequestsTest, AStaleSocketIsReplacedAndALiveOneIsLeftToItsOwner) {
    // What a killed program leaves: a socket file nothing listens at.
    {
        const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof address.sun_path);
        std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
        ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(stale);
    }
    const test::SenderRun nobody = send(1);
    EXPECT_EQ(nobody.exitStatus, 3);
    EXPECT_NE(nobody.errors.find("No Vantorix"), std::string::npos) << nobody.errors;

    HotKeyRequests first(path, [&](int hotKey) {
        ran.push_back(hotKey);
        return HotKeyRequestAnswer::Ran;
    });
    ASSERT_EQ(first.listen(), HotKeyRequests::Listening::Yes) << first.problem();
    HotKeyRequests second(path, [&](int hotKey) {
        ran.push_back(10 + hotKey);
        return HotKeyRequestAnswer::Ran;
    });
    EXPECT_EQ(second.listen(), HotKeyRequests::Listening::TakenByAnother);
    EXPECT_EQ(send(2).exitStatus, 0);
    EXPECT_EQ(ran, std::vector<int>{2});
}

TEST_F(HotKeyRequestsTest, AnotherUserIsRefusedEvenWhereTheFileModesLetItIn) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the sender as another user";
    }
    HotKeyRequests requests(path, [&](int hotKey) {
        ran.push_back(hotKey);
        return HotKeyRequestAnswer::Ran;
    });
    ASSERT_EQ(requests.listen(), HotKeyRequests::Listening::Yes) << requests.problem();
    const QByteArray folderName = QFile::encodeName(folder.path());
    const QByteArray socketName = QFile::encodeName(path);
    struct stat socketStatus {};
    ASSERT_EQ(::stat(socketName.constData(), &socketStatus), 0);
    EXPECT_EQ(socketStatus.st_mode & 0077, 0U) << "the socket is the owner's only";

    // As made, the folder keeps the other user out; opened up, the socket's
    // check of who asks still does.
    for (const bool openedUp : {false, true}) {
        SCOPED_TRACE(openedUp);
        if (openedUp) {
            ASSERT_EQ(::chmod(folderName.constData(), 0755), 0);
            ASSERT_EQ(::chmod(socketName.constData(), 0777), 0);
        }
        const test::SenderRun run = send(1, kOtherUserId);
        EXPECT_EQ(run.exitStatus, 6) << run.errors;
        EXPECT_NE(run.errors.find("another user"), std::string::npos) << run.errors;
    }
    EXPECT_TRUE(ran.empty());
}

}  // namespace
}  // namespace vantorix
