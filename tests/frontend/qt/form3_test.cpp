#include "frontend/qt/form3.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "forms/layout/form3_layout.h"
#include "frontend/qt/form1.h"
#include "frontend/qt/matches_layout.h"
#include "frontend/qt/window_session.h"
#include "support/fake_window_services.h"

namespace vantorix {
namespace {

using namespace test;

constexpr int kTimeoutMs = 5000;
const std::string kBraces = "Ensure '{' is matched with corresponding '}'  ";

// Types `text` key by key, as a keyboard layout with those characters would.
// (QTest::keyClicks can only type Latin-1.)
void type(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// The main window with its advanced options window, started and shown.
class Form3Test : public ::testing::Test, protected FakeWindowServices {
  protected:
    void SetUp() override {
        session.Form_Load("help.html", std::nullopt);
        session.showAfterLoad();
    }

    void openAdvancedOptions() {
        form.Command_advanced_options->click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form.isVisible(); }, kTimeoutMs));
    }

    QLineEdit* textBox(AdvancedText box) const {
        return advanced.findChild<QLineEdit*>(qt(controlName(box)));
    }

    QtWindowSession windows{settings, {keyboard, file, hotKeys, icon, shortcut, messages, browser}};
    FORM1& form = windows.form();
    Form3& advanced = windows.advancedWindow();
    Form1Session& session = windows.session();
};

TEST_F(Form3Test, IsMadeAsItsLayoutSays) {
    EXPECT_EQ(advanced.objectName(), "Form3");
    EXPECT_EQ(advanced.windowTitle(), qt(kForm3Layout.caption));
    expectMatchesLayout(*advanced.centralWidget(), kForm3Layout);
    expectMenusMatchLayout(advanced, kForm3Layout);
}

// The rows and columns of `label` that its caption inks, in the label's own
// coordinates.
QRect inkOf(QLabel& label) {
    const QImage image = label.grab().toImage();
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() < 128) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

TEST_F(Form3Test, LabelsAreReadWholeAboveAndBesideTheirBoxes) {
    // Pixels of background between a caption's last stroke and the box beside it.
    constexpr int kVisibleGap = 4;
    struct Case {
        QLabel* label;
        QWidget* box;
        bool below;  // the box lies below the label, else beside it
    };
    const std::vector<Case> cases = {
        {advanced.Label1, advanced.Text_searchfor, true},
        {advanced.Label2, advanced.Text_replacewith, true},
        {advanced.Label5, advanced.Combo_EOL, false},
    };
    advanced.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&advanced, kTimeoutMs));
    for (const Case& c : cases) {
        const QRect ink = inkOf(*c.label).translated(c.label->pos());
        ASSERT_FALSE(ink.isEmpty()) << c.label->objectName().toStdString();
        // Top-aligned, as the list beside it: the caption starts near the label's top.
        EXPECT_LE(ink.top() - c.label->y(), 5) << c.label->objectName().toStdString();
        if (c.below) {
            EXPECT_LT(ink.bottom(), c.box->y()) << c.label->objectName().toStdString();
        } else {
            EXPECT_LT(ink.right() + kVisibleGap, c.box->x()) << c.label->objectName().toStdString();
        }
    }
}

TEST_F(Form3Test, CodeBoxesTakeThreeCharacters) {
    for (QLineEdit* box : {advanced.Text_searchfor_user_defined, advanced.Text_hotkey1_addascii,
                           advanced.Text_hotkey2_addascii}) {
        QTest::keyClicks(box, "1234");
        EXPECT_EQ(box->text(), "123") << box->objectName().toStdString();
    }
}

TEST_F(Form3Test, TheFocusFollowsTheLayoutAndStartsOnTheSearchText) {
    QStringList expected;
    for (const ControlLayout& c : kForm3Layout.controls) {
        if (c.takesFocus()) {
            expected << qt(c.name);
        }
    }
    openAdvancedOptions();
    EXPECT_EQ(advanced.focusWidget(), advanced.Text_searchfor);
    QStringList order;
    const QWidget* widget = advanced.Text_searchfor;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&advanced)) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != advanced.Text_searchfor);
    EXPECT_EQ(order, expected);
}

TEST_F(Form3Test, StartUpPresetsTheInsertionListsAndShowsTheStoredSettings) {
    RedirectSettings stored;
    stored.Combo_EOL = ",";
    stored.Text_preamble = "\x80 {HOME}";  // the euro sign
    stored.Text_hotkey2 = "caf\xE9{13}";
    stored.Check_replacestring = 1;
    stored.Check_enablehotkey1 = 2;
    stored.Combo_hotkey1 = "Ctrl+F7";
    stored.Combo_hotkey2 = "F11";
    file.stored = stored;
    session.Form_Load("help.html", std::nullopt);

    EXPECT_EQ(advanced.Combo_addpreamble->currentText(), "Enter");
    EXPECT_EQ(advanced.Combo_addpostamble->currentText(), "Enter");
    EXPECT_EQ(advanced.Combo_replacewith->currentText(), "Enter");
    EXPECT_EQ(advanced.Combo_searchfor->currentText(), "CR");
    EXPECT_EQ(advanced.Combo_hotkey_ascii_add->currentIndex(), -1);
    EXPECT_EQ(advanced.Combo_hotkey_ascii_add2->currentText(), "");
    EXPECT_EQ(advanced.Combo_EOL->currentText(), ",");
    EXPECT_EQ(advanced.Combo_hotkey1->currentText(), "Ctrl+F7");
    EXPECT_EQ(advanced.Combo_hotkey2->currentText(), "F11");
    EXPECT_EQ(advanced.Text_preamble->text(), QString::fromUtf8("€ {HOME}"));
    EXPECT_EQ(advanced.Text_hotkey2->text(), QString::fromUtf8("café{13}"));
    EXPECT_TRUE(advanced.Check_replacestring->isChecked());
    EXPECT_FALSE(advanced.Check_enablehotkey1->isChecked());
    EXPECT_EQ(settings, stored) << "showing the settings does not rewrite them";
    EXPECT_FALSE(advanced.isVisible());
}

TEST_F(Form3Test, TheFirstStartShowsTheDefaults) {
    EXPECT_EQ(advanced.Combo_EOL->currentText(), "CR");
    EXPECT_EQ(advanced.Combo_hotkey1->currentIndex(), 0);
    EXPECT_EQ(advanced.Combo_hotkey2->currentIndex(), 1);
    for (const QLineEdit* box : advanced.findChildren<QLineEdit*>()) {
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    }
    for (const QCheckBox* box : advanced.findChildren<QCheckBox*>()) {
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    }
}

TEST_F(Form3Test, AChangeInAWidgetIsInTheStoreAtOnce) {
    type(advanced.Text_postamble, QString::fromUtf8("é€~"));
    advanced.Check_postamble->click();
    advanced.Check_enablehotkey2->click();
    advanced.Combo_EOL->setCurrentText("DELAY 250mS");
    advanced.Combo_hotkey2->setCurrentIndex(10);
    EXPECT_EQ(settings.Text_postamble, "\xE9\x80~");
    EXPECT_EQ(settings.Check_postamble, 1);
    EXPECT_EQ(settings.Check_enablehotkey2, 1);
    EXPECT_EQ(settings.Combo_EOL, "DELAY 250mS");
    EXPECT_EQ(settings.Combo_hotkey2, "Ctrl+F4");
    advanced.Check_postamble->click();
    EXPECT_EQ(settings.Check_postamble, 0);
}

TEST_F(Form3Test, ACharacterTheCodePageCannotHoldIsRefusedTypedOrPasted) {
    QLineEdit* box = advanced.Text_replacewith;
    type(box, QString::fromUtf8("aΩb"));
    EXPECT_EQ(box->text(), "ab");
    QApplication::clipboard()->setText(QString::fromUtf8("x→y"));
    box->paste();
    EXPECT_EQ(box->text(), "ab") << "a paste with one such character is refused whole";
    QApplication::clipboard()->setText(QString::fromUtf8("ü…"));
    box->paste();
    EXPECT_EQ(box->text(), QString::fromUtf8("abü…"));
    EXPECT_EQ(settings.Text_replacewith, "ab\xFC\x85");
    QApplication::clipboard()->setText(QStringLiteral("one\ntwo"));
    box->paste();
    EXPECT_EQ(settings.Text_replacewith, "ab\xFC\x85") << "a setting is one line";
}

TEST_F(Form3Test, SetAdvancedOptionsAndDoneHandOverAtTheSameCorner) {
    form.move(210, 140);
    const QPoint mainCorner = form.pos();
    openAdvancedOptions();
    EXPECT_EQ(session.currentWindow(), 2);
    EXPECT_TRUE(advanced.isVisible());
    EXPECT_EQ(advanced.pos(), mainCorner);

    advanced.move(330, 260);
    const QPoint advancedCorner = advanced.pos();
    advanced.Command_advanced_options_OK->click();
    EXPECT_EQ(session.currentWindow(), 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.pos(), advancedCorner);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !advanced.isVisible(); }, kTimeoutMs));
    EXPECT_TRUE(messages.shown.empty());

    openAdvancedOptions();
    EXPECT_EQ(advanced.pos(), advancedCorner);
}

TEST_F(Form3Test, DoneIsRefusedForEachUnbalancedTextWithTheFocusOnIt) {
    openAdvancedOptions();
    for (const AdvancedText failing : kAdvancedTexts) {
        for (const AdvancedText box : kAdvancedTexts) {
            // Earlier texts pass; later ones would fail too.
            textBox(box)->setText(box < failing ? "{UP}" : box == failing ? "{ENTER" : "}");
        }
        session.Command_advanced_options_Click();
        messages.shown.clear();
        advanced.Command_advanced_options_OK->click();
        QCoreApplication::processEvents();

        const std::string name = textBox(failing)->objectName().toStdString();
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_EQ(messages.shown[0].text, kBraces);
        EXPECT_EQ(messages.shown[0].title, "Vantorix");
        EXPECT_EQ(advanced.focusWidget(), textBox(failing)) << name;
        EXPECT_EQ(session.currentWindow(), 1) << name;
        EXPECT_TRUE(advanced.isVisible()) << name;
        EXPECT_FALSE(form.isVisible()) << name;
        EXPECT_EQ(textBox(failing)->text(), "{ENTER") << name;
    }
}

TEST_F(Form3Test, DoneAcceptsBracesOutOfOrderWhenTheirCountsMatch) {
    openAdvancedOptions();
    for (const AdvancedText box : kAdvancedTexts) {
        textBox(box)->setText("}{");
    }
    advanced.Command_advanced_options_OK->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(form.isVisible());
}

TEST_F(Form3Test, DoneShowsTheAdvancedStateOfTheSwitches) {
    const std::vector<QCheckBox*> switches = {
        advanced.Check_preamble, advanced.Check_postamble, advanced.Check_replacestring,
        advanced.Check_enablehotkey1, advanced.Check_enablehotkey2};
    for (QCheckBox* on : switches) {
        for (QCheckBox* box : switches) {
            box->setChecked(box == on);
        }
        openAdvancedOptions();
        advanced.Command_advanced_options_OK->click();
        EXPECT_TRUE(form.Option1_advanced_active->isEnabled()) << on->objectName().toStdString();
        EXPECT_TRUE(form.Option1_advanced_active->isChecked()) << on->objectName().toStdString();
    }
    advanced.Check_enablehotkey2->setChecked(false);
    openAdvancedOptions();
    advanced.Command_advanced_options_OK->click();
    EXPECT_FALSE(form.Option1_advanced_active->isEnabled());
    EXPECT_FALSE(form.Option1_advanced_active->isChecked());
}

TEST_F(Form3Test, EachButtonAddsFromItsOwnListToItsOwnText) {
    struct Button {
        QPushButton* button;
        QComboBox* list;
        const char* row;
        QLineEdit* target;
        const char* token;
    };
    const std::vector<Button> buttons = {
        {advanced.Command3, advanced.Combo_addpreamble, "F16", advanced.Text_preamble, "{F16}"},
        {advanced.Command2, advanced.Combo_addpostamble, "Page Up", advanced.Text_postamble,
         "{PGUP}"},
        {advanced.Command4, advanced.Combo_replacewith, "Del", advanced.Text_replacewith, "{DEL}"},
        {advanced.Command1, advanced.Combo_searchfor, "ESC", advanced.Text_searchfor, "{27}"},
        {advanced.Command6, advanced.Combo_hotkey_ascii_add, "LFD", advanced.Text_hotkey1, "{10}"},
        {advanced.Command7, advanced.Combo_hotkey_ascii_add2, "TAB", advanced.Text_hotkey2, "{09}"},
    };
    openAdvancedOptions();
    for (const Button& b : buttons) {
        const std::string name = b.button->objectName().toStdString();
        b.target->setText("x");
        b.list->setCurrentText(b.row);
        b.button->click();
        EXPECT_EQ(b.target->text().toStdString(), std::string("x") + b.token) << name;
        EXPECT_EQ(advanced.focusWidget(), b.target) << name;
    }
    EXPECT_EQ(settings.Text_hotkey2, "x{09}");
}

TEST_F(Form3Test, AddingAKeyTwiceAppendsItTwiceAndKeepsTheListOnItsRow) {
    advanced.Combo_addpreamble->setCurrentText("Back Space");
    advanced.Command3->click();
    advanced.Command3->click();
    EXPECT_EQ(advanced.Text_preamble->text(), "{BS}{BS}");
    EXPECT_EQ(settings.Text_preamble, "{BS}{BS}");
    EXPECT_EQ(advanced.Combo_addpreamble->currentText(), "Back Space");
}

TEST_F(Form3Test, AListWithNoRowShownAppendsNothingButTakesTheFocusToItsText) {
    openAdvancedOptions();
    advanced.Text_hotkey1->setText("{27}");
    advanced.Command6->click();
    EXPECT_EQ(advanced.Text_hotkey1->text(), "{27}");
    EXPECT_EQ(advanced.focusWidget(), advanced.Text_hotkey1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form3Test, ATypedCodeIsAppendedAsTypedOrRefusedOutsideTheRange) {
    struct Case {
        const char* typed;
        const char* appended;  // nullptr: refused
    };
    const std::vector<Case> cases = {
        {"7", "{7}"}, {"007", "{007}"}, {"255", "{255}"},  {"256", nullptr}, {"-1", nullptr},
        {"", "{}"},   {"abc", "{abc}"}, {"&HFF", "{&HF}"},  // the box keeps three characters: &HF
                                                            // is 15
    };
    openAdvancedOptions();
    for (const Case& c : cases) {
        advanced.Text_hotkey1->setText("A");
        advanced.Text_hotkey1_addascii->clear();
        QTest::keyClicks(advanced.Text_hotkey1_addascii, c.typed);
        advanced.Text_searchfor->setFocus();
        messages.shown.clear();
        advanced.Command5->click();
        const std::string expected = c.appended ? std::string("A") + c.appended : "A";
        EXPECT_EQ(settings.Text_hotkey1, expected) << c.typed;
        EXPECT_EQ(messages.shown.size(), c.appended ? 0u : 1u) << c.typed;
        EXPECT_EQ(advanced.focusWidget(), advanced.Text_hotkey1) << c.typed;
    }
    ASSERT_EQ(messages.shown.size(), 0u);
    advanced.Text_hotkey2_addascii->setText("300");
    advanced.Command8->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Ascii codes are from 0-255 only");
    EXPECT_EQ(messages.shown[0].title, "Vantorix");
    EXPECT_EQ(advanced.Text_hotkey2_addascii->text(), "300");
    EXPECT_EQ(advanced.Text_hotkey2->text(), "");
}

TEST_F(Form3Test, TheCaretStopsAtCharacter1000OfALongerText) {
    advanced.Text_searchfor->setText(QString(1200, QLatin1Char('a')));
    advanced.Combo_searchfor->setCurrentText("ESC");
    advanced.Command1->click();
    EXPECT_TRUE(advanced.Text_searchfor->text().endsWith("a{27}"));
    EXPECT_EQ(advanced.Text_searchfor->cursorPosition(), 1000);
    advanced.Text_searchfor->setText("short");
    advanced.Text_searchfor_user_defined->setText("9");
    advanced.Command9->click();
    EXPECT_EQ(advanced.Text_searchfor->cursorPosition(), 8);
}

TEST_F(Form3Test, MinimisingHidesOnlyWithANotificationArea) {
    openAdvancedOptions();
    advanced.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(advanced.isVisible());
    advanced.showNormal();
    icon.restores = true;
    advanced.showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !advanced.isVisible(); }, kTimeoutMs));
    EXPECT_EQ(session.currentWindow(), 2) << "the icon is to bring this window back";
}

TEST_F(Form3Test, ClosingTheWindowSavesTheSettingsAndEndsTheProgram) {
    openAdvancedOptions();
    advanced.Text_postamble->setText("{ENTER}");
    journal.clear();
    advanced.close();
    EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove"}));
    ASSERT_TRUE(file.stored.has_value());
    EXPECT_EQ(file.stored->Text_postamble, "{ENTER}");
}

// The real settings file, in a folder of the test's own.
TEST(Form3Settings, AValueSetInTheWindowSurvivesAnExitAndARestart) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath(QStringLiteral("vantorix.cfg")).toStdString();
    FakeWindowServices fakes;
    {
        RedirectSettings settings;
        ConfigFile file(path);
        QtWindowSession windows{settings,
                                {fakes.keyboard, file, fakes.hotKeys, fakes.icon, fakes.shortcut,
                                 fakes.messages, fakes.browser}};
        windows.session().Form_Load("", std::nullopt);
        Form3& advanced = windows.advancedWindow();
        type(advanced.Text_replacewith, QString::fromUtf8("a,b é"));
        advanced.Combo_addpreamble->setCurrentText("F5");
        advanced.Command3->click();
        advanced.Check_preamble->click();
        advanced.Combo_EOL->setCurrentText("TAB");
        advanced.Combo_hotkey1->setCurrentText("Shift+F9");
        advanced.Command_advanced_options_OK->click();
        windows.session().exitProgram();
    }
    RedirectSettings settings;
    ConfigFile file(path);
    QtWindowSession windows{settings,
                            {fakes.keyboard, file, fakes.hotKeys, fakes.icon, fakes.shortcut,
                             fakes.messages, fakes.browser}};
    windows.session().Form_Load("", std::nullopt);
    Form3& advanced = windows.advancedWindow();
    const FORM1& form = windows.form();
    EXPECT_EQ(advanced.Text_replacewith->text(), QString::fromUtf8("a,b é"));
    EXPECT_EQ(advanced.Text_preamble->text(), "{F5}");
    EXPECT_TRUE(advanced.Check_preamble->isChecked());
    EXPECT_EQ(advanced.Combo_EOL->currentText(), "TAB");
    EXPECT_EQ(advanced.Combo_hotkey1->currentText(), "Shift+F9");
    EXPECT_EQ(advanced.Combo_addpreamble->currentText(), "Enter") << "the lists are not kept";
    EXPECT_TRUE(form.Option1_advanced_active->isChecked());
}

}  // namespace
}  // namespace vantorix
