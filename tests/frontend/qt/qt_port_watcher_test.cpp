#include "frontend/qt/qt_port_watcher.h"

#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vantorix {
namespace {

constexpr int kTimeoutMs = 5000;

// A device path whose folders may not exist yet, as /dev/serial/by-id/...
// after the last adapter went: the watcher follows the folders as they
// appear, and says so when the device itself appears.
TEST(QtPortWatcher, NoticesADeviceAppearingWhereverItsFoldersStand) {
    struct Case {
        const char* name;
        QStringList foldersMissing;  // made one by one, outermost first
    };
    const Case cases[] = {
        {"its folder exists", {}},
        {"its folder comes with it", {QStringLiteral("serial")}},
        {"two folders come with it", {QStringLiteral("serial"), QStringLiteral("serial/by-id")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        const QString folder =
            c.foldersMissing.isEmpty() ? root.path() : root.filePath(c.foldersMissing.back());
        const QString device = folder + QStringLiteral("/usb-adapter");
        QtPortWatcher watcher;
        int notices = 0;
        watcher.watch(device.toStdString(), [&notices] { ++notices; });
        EXPECT_EQ(watcher.watchedFolders(), QStringList{root.path()});
        EXPECT_FALSE(watcher.polling());

        for (const QString& missing : c.foldersMissing) {
            const int before = notices;
            ASSERT_TRUE(QDir(root.path()).mkdir(missing));
            ASSERT_TRUE(QTest::qWaitFor([&] { return notices > before; }, kTimeoutMs));
            EXPECT_EQ(watcher.watchedFolders(), QStringList{root.filePath(missing)});
        }
        const int before = notices;
        ASSERT_TRUE(QFile(device).open(QIODevice::WriteOnly));
        EXPECT_TRUE(QTest::qWaitFor([&] { return notices > before; }, kTimeoutMs));

        watcher.stop();
        const int stopped = notices;
        ASSERT_TRUE(QFile::remove(device));
        QTest::qWait(100);
        EXPECT_EQ(notices, stopped) << "no notice after stop()";
        EXPECT_TRUE(watcher.watchedFolders().isEmpty());
    }
}

// A device there but not opened gives no notice of its own: it is tried once
// a second, and only for as long as it is there.
TEST(QtPortWatcher, PollsOnlyWhileTheDeviceIsThere) {
    QTemporaryDir root;
    const QString device = root.filePath(QStringLiteral("ttyUSB0"));
    ASSERT_TRUE(QFile(device).open(QIODevice::WriteOnly));
    QtPortWatcher watcher;
    int notices = 0;
    watcher.watch(device.toStdString(), [&notices] { ++notices; });
    EXPECT_TRUE(watcher.polling());
    ASSERT_TRUE(QFile::remove(device));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notices > 0; }, kTimeoutMs));
    EXPECT_FALSE(watcher.polling());
}

}  // namespace
}  // namespace vantorix
