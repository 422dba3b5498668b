// The message that tells of a character the desktop's layout cannot produce, under Qt's
// offscreen platform.
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "frontend/qt/left_out_message.h"

namespace vantorix {
namespace {

std::vector<QMessageBox*> leftOutBoxes() {
    std::vector<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible() &&
            box->windowTitle() == QLatin1String(kLeftOutWindowTitle)) {
            boxes.push_back(box);
        }
    }
    return boxes;
}

struct Caller {
    const char* name;
    bool typingThread;
};

void PrintTo(const Caller& caller, std::ostream* out) {
    *out << caller.name;
}

class LeftOutMessageTest : public ::testing::TestWithParam<Caller> {
  protected:
    void TearDown() override {
        for (QMessageBox* box : leftOutBoxes()) {
            box->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_P(LeftOutMessageTest, ToldOnStandardErrorAtOnceAndInAWindowThatDoesNotStopTheKeys) {
    const std::string message = "\xe2\x80\x9c\xc3\xa9\xe2\x80\x9d (U+00E9) was left out";
    std::ostringstream errors;
    if (GetParam().typingThread) {
        std::thread([&] { tellLeftOut(message, errors); }).join();
    } else {
        tellLeftOut(message, errors);
    }
    EXPECT_EQ(errors.str(), message + "\n");
    // The caller went on before any window was shown: the event loop shows it.
    EXPECT_TRUE(leftOutBoxes().empty());
    QTRY_COMPARE_WITH_TIMEOUT(leftOutBoxes().size(), std::size_t{1}, 5000);
    const QMessageBox* box = leftOutBoxes().front();
    EXPECT_EQ(box->text().toStdString(), message);
    EXPECT_EQ(box->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Callers, LeftOutMessageTest,
                         ::testing::Values(Caller{"WindowThread", false},
                                           Caller{"TypingThread", true}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace vantorix
