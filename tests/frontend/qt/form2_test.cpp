#include "frontend/qt/form2.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "forms/layout/form2_layout.h"
#include "frontend/qt/matches_layout.h"
#include "support/recording_url_opener.h"

namespace vantorix {
namespace {

using test::qt;
using test::RecordingUrlOpener;

constexpr int kTimeoutMs = 5000;

// How much of the label's text is drawn in a colour close to `colour`.
int pixelsNear(QWidget& widget, const QColor& colour) {
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 60 &&
                std::abs(pixel.green() - colour.green()) < 60 &&
                std::abs(pixel.blue() - colour.blue()) < 60) {
                ++count;
            }
        }
    }
    return count;
}

class Form2Test : public ::testing::Test {
  protected:
    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kTimeoutMs));
    }

    QColor linkColour() const { return form.LinkLabel1->palette().color(QPalette::WindowText); }
    // A point of the window's background, away from every other control.
    QPoint background() const { return {form.width() - 4, form.height() - 4}; }

    RecordingUrlOpener browser;
    const std::string manual = "/usr/share/doc/vantorix/vantorix.html";
    Form2 form{browser, manual};
};

TEST_F(Form2Test, IsMadeAsItsLayoutSaysWithTheVersionAndAReadableLink) {
    EXPECT_EQ(form.objectName(), "Form2");
    EXPECT_EQ(form.windowTitle(), qt(kForm2Layout.caption));
    test::expectMatchesLayout(form, kForm2Layout);
    EXPECT_EQ(form.Label2->text(), "Version: 2.04");
    EXPECT_FALSE(form.LinkLabel1->text().contains(QStringLiteral("/")))
        << "the link shows words, not the address";
}

TEST_F(Form2Test, TheBackgroundLabelLiesBehindEverythingAndCoversTheWindow) {
    EXPECT_EQ(form.Label6->geometry(), form.rect());
    EXPECT_EQ(form.childAt(background()), form.Label6);
    EXPECT_EQ(form.childAt(form.Label1->geometry().center()), form.Label6);
    EXPECT_EQ(form.childAt(form.LinkLabel1->geometry().center()), form.LinkLabel1);
    EXPECT_EQ(form.childAt(form.Command1->geometry().center()), form.Command1);
}

TEST_F(Form2Test, TheLinkTurnsRedUnderTheMouseAndBlueOffIt) {
    EXPECT_EQ(linkColour(), kLinkBlue);
    EXPECT_GT(pixelsNear(*form.LinkLabel1, kLinkBlue), 0);
    EXPECT_EQ(pixelsNear(*form.LinkLabel1, kLinkRed), 0);

    QTest::mouseMove(form.LinkLabel1, form.LinkLabel1->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return linkColour() == kLinkRed; }, kTimeoutMs));
    EXPECT_GT(pixelsNear(*form.LinkLabel1, kLinkRed), 0);
    EXPECT_EQ(pixelsNear(*form.LinkLabel1, kLinkBlue), 0);

    QTest::mouseMove(&form, background());
    EXPECT_TRUE(QTest::qWaitFor([&] { return linkColour() == kLinkBlue; }, kTimeoutMs));
    EXPECT_GT(pixelsNear(*form.LinkLabel1, kLinkBlue), 0);
    EXPECT_EQ(pixelsNear(*form.LinkLabel1, kLinkRed), 0);
}

TEST_F(Form2Test, ThePictureAndTextsCountAsOffTheLink) {
    QTest::mouseMove(form.LinkLabel1, form.LinkLabel1->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return linkColour() == kLinkRed; }, kTimeoutMs));
    QTest::mouseMove(&form, form.Label2->geometry().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return linkColour() == kLinkBlue; }, kTimeoutMs));
}

TEST_F(Form2Test, EnterAndMoveEventsSetTheColour) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(form.LinkLabel1, &enter);
    EXPECT_EQ(linkColour(), kLinkRed);
    QEnterEvent enterBackground(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(form.Label6, &enterBackground);
    EXPECT_EQ(linkColour(), kLinkBlue);
}

TEST_F(Form2Test, ClickingTheLinkOpensTheAddressBehindIt) {
    QTest::mouseClick(form.LinkLabel1, Qt::LeftButton, {}, form.LinkLabel1->rect().center());
    EXPECT_EQ(browser.opened, std::vector<std::string>{manual});
    // Only the left button follows the link.
    QTest::mouseClick(form.LinkLabel1, Qt::RightButton, {}, form.LinkLabel1->rect().center());
    EXPECT_EQ(browser.opened.size(), 1u);
}

TEST_F(Form2Test, OkHidesTheWindowWhichComesBackWithItsLinkColour) {
    QTest::mouseMove(form.LinkLabel1, form.LinkLabel1->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return linkColour() == kLinkRed; }, kTimeoutMs));
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kTimeoutMs));
    EXPECT_EQ(linkColour(), kLinkRed);
}

TEST_F(Form2Test, ClosingItNeverEndsTheProgram) {
    // As when it is the only window left while the others hide in the notification area.
    int lastWindowClosed = 0;
    const QMetaObject::Connection counting =
        QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [&] { ++lastWindowClosed; });
    EXPECT_EQ(form.parentWidget(), nullptr);
    EXPECT_TRUE(form.close());
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(lastWindowClosed, 0);
    QObject::disconnect(counting);
}

}  // namespace
}  // namespace vantorix
