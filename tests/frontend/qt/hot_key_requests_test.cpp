// --send-hotkey as the program runs it, against a request socket in this
// process: another user is refused whatever the file modes let through.
#include "frontend/qt/hot_key_requests.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/hot_key_sender.h"

namespace vantorix {
namespace {

// Another user, when the test runs as root.
constexpr int kOtherUserId = 64124;

TEST(HotKeyRequests, AnotherUserIsRefusedEvenWhereTheFileModesLetItIn) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the sender as another user";
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("vantorix-hotkeys"));
    std::vector<int> ran;
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
        const test::SenderRun run = test::sendHotKey(1, folder.path(), kOtherUserId);
        EXPECT_EQ(run.exitStatus, 6) << run.errors;
        EXPECT_NE(run.errors.find("another user"), std::string::npos) << run.errors;
    }
    EXPECT_TRUE(ran.empty());
}

}  // namespace
}  // namespace vantorix
