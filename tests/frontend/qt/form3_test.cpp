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

#include "support/fake_window_services.h"
#include "frontend/qt/form1.h"

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
        form.Form_Load("help.html", std::nullopt);
        form.showAfterLoad();
    }

    void openAdvancedOptions() {
        form.Command_advanced_options->click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form.isVisible(); }, kTimeoutMs));
    }

    QLineEdit* textBox(AdvancedText box) const {
        const char* names[] = {"Text_preamble",    "Text_postamble", "Text_searchfor",
                               "Text_replacewith", "Text_hotkey1",   "Text_hotkey2"};
        return advanced.findChild<QLineEdit*>(names[static_cast<int>(box)]);
    }

    bool notificationArea = false;
    FORM1 form{{settings, keyboard, file, hotKeys, icon, shortcut, messages,
                [this] { return notificationArea; }}};
    Form3& advanced = form.advancedWindow();
};

TEST_F(Form3Test, ControlsCarryTheirNamesCaptionsTipsAndFonts) {
    struct Control {
        const char* name;
        const char* caption;
        const char* tip;
        qreal points;
    };
    const char* specialKey = "Add a special keyboard key character if required.";
    const char* character = "Add a special input character value if required.";
    const char* code = "Enter an ascii decimal code if required.";
    const char* hotKey = "Select a hotkey to be used to trigger an output to the COM port.";
    const char* output =
        "Enter an output string to be assocaited with the hot key. This is sent out through the "
        "COM port.";
    const std::vector<Control> controls = {
        {"Label9", "VANTORIX Advanced options screen", "", 14.25},
        {"Label5", "End of Line Character in input string", "", 12},
        {"Combo_EOL", "", "Select the input character used to signify the end of the input string.",
         8.25},
        {"Label3", "Pre-amble", "", 12},
        {"Text_preamble", "", "Enter a Pre-amble string if required.", 8.25},
        {"Command3", "Add special  key", "", 8.25},
        {"Combo_addpreamble", "", specialKey, 8.25},
        {"Label4", "Post-amble", "", 12},
        {"Text_postamble", "", "Enter a Post-amble string if required.", 8.25},
        {"Command2", "Add special  key", "", 8.25},
        {"Combo_addpostamble", "", specialKey, 8.25},
        {"Label1", "Search for input string", "", 12},
        {"Text_searchfor", "", "Enter a search string to find and replace if required.", 8.25},
        {"Command1", "Add Ascii code", "", 8.25},
        {"Combo_searchfor", "", character, 8.25},
        {"Command9", "Add user defined", "", 8.25},
        {"Text_searchfor_user_defined", "", code, 8.25},
        {"Label2", "Replace with", "", 12},
        {"Text_replacewith", "", "Enter a string to replace the search string found.", 8.25},
        {"Command4", "Add special  key", "", 8.25},
        {"Combo_replacewith", "", specialKey, 8.25},
        {"Label6", "Enable Option", "", 12},
        {"Check_preamble", "Pre-amble",
         "Enable this to send the Pre-amble text before transfering the received data.", 12},
        {"Check_postamble", "Post-amble",
         "Enable this to send the Post-amble text after transfering the received data.", 12},
        {"Check_replacestring", "Replace String",
         "Enable this to find and replace a selected string from the input data", 12},
        {"Check_enablehotkey1", "Enable Hotkey1",
         "Enable this to send a string out of the COM port when Hotkey1 is pressed.", 12},
        {"Check_enablehotkey2", "Enable Hotkey2", "", 12},
        {"Label7", "Hotkey 1", "", 12},
        {"Label10", "Hotkey 1 Output string", "", 12},
        {"Combo_hotkey1", "", hotKey, 8.25},
        {"Text_hotkey1", "", output, 8.25},
        {"Command6", "Add Ascii code", "", 8.25},
        {"Combo_hotkey_ascii_add", "", character, 8.25},
        {"Command5", "Add user defined", "", 8.25},
        {"Text_hotkey1_addascii", "", code, 8.25},
        {"Label8", "Hotkey 2", "", 12},
        {"Label11", "Hotkey 2 Output string", "", 12},
        {"Combo_hotkey2", "", hotKey, 8.25},
        {"Text_hotkey2", "", output, 8.25},
        {"Command7", "Add Ascii code", "", 8.25},
        {"Combo_hotkey_ascii_add2", "", character, 8.25},
        {"Command8", "Add user defined", "", 8.25},
        {"Text_hotkey2_addascii", "", code, 8.25},
        {"Command_advanced_options_OK", "DONE", "", 9.75},
    };
    for (const Control& c : controls) {
        const QWidget* widget = advanced.findChild<QWidget*>(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        QString caption;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            caption = label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            caption = button->text();
        }
        EXPECT_EQ(caption, c.caption) << c.name;
        EXPECT_EQ(widget->toolTip(), c.tip) << c.name;
        EXPECT_EQ(widget->font().family(), "Arial") << c.name;
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), c.points) << c.name;
    }
    EXPECT_TRUE(advanced.Label9->font().bold());
    EXPECT_EQ(advanced.windowTitle(), "VANTORIX Serial port to keyboard redirection");
    EXPECT_FALSE(advanced.Image1->pixmap().isNull());
    EXPECT_EQ(advanced.HELP->title(), "HELP");
    EXPECT_EQ(advanced.HELP->objectName(), "HELP");
    EXPECT_EQ(advanced.MENU_HELP->text(), "HELP Contents and Index      F1");
    EXPECT_EQ(advanced.MENU_HELP->objectName(), "MENU_HELP");
    EXPECT_TRUE(advanced.menu_separator1->isSeparator());
    EXPECT_EQ(advanced.menu_about_vantorix->text(), "About VANTORIX");
}

TEST_F(Form3Test, ListsAreFixedAndCodeBoxesTakeThreeCharacters) {
    for (const QComboBox* list : advanced.findChildren<QComboBox*>()) {
        EXPECT_FALSE(list->isEditable()) << list->objectName().toStdString();
    }
    EXPECT_EQ(advanced.Combo_hotkey1->count(), 40);
    EXPECT_EQ(advanced.Combo_hotkey2->itemText(39), "Shift+F11");
    EXPECT_EQ(advanced.Combo_EOL->itemText(4), "DELAY 250mS");
    for (QLineEdit* box : {advanced.Text_searchfor_user_defined, advanced.Text_hotkey1_addascii,
                           advanced.Text_hotkey2_addascii}) {
        QTest::keyClicks(box, "1234");
        EXPECT_EQ(box->text(), "123") << box->objectName().toStdString();
    }
}

TEST_F(Form3Test, ControlsLieInsideTheWindowAndDoNotOverlap) {
    const QRect area = advanced.centralWidget()->rect();
    std::vector<const QWidget*> operated;
    for (const QWidget* widget : advanced.centralWidget()->findChildren<QWidget*>()) {
        if (widget->parentWidget() != advanced.centralWidget()) {
            continue;
        }
        EXPECT_TRUE(area.contains(widget->geometry())) << widget->objectName().toStdString();
        if (widget->focusPolicy() & Qt::TabFocus) {
            operated.push_back(widget);
        }
    }
    EXPECT_EQ(operated.size(), 33u);
    for (std::size_t i = 0; i < operated.size(); ++i) {
        for (std::size_t j = i + 1; j < operated.size(); ++j) {
            // The switches are drawn a pixel into each other.
            const QRect overlap = operated[i]->geometry() & operated[j]->geometry();
            EXPECT_LE(std::min(overlap.width(), overlap.height()), 1)
                << operated[i]->objectName().toStdString() << " and "
                << operated[j]->objectName().toStdString();
        }
    }
}

TEST_F(Form3Test, TheFocusFollowsTheOrderOfTheWindowAndStartsOnTheSearchText) {
    const QStringList expected = {
        "Text_searchfor",
        "Text_replacewith",
        "Combo_EOL",
        "Text_preamble",
        "Text_postamble",
        "Combo_addpostamble",
        "Command2",
        "Command3",
        "Combo_addpreamble",
        "Command4",
        "Combo_replacewith",
        "Command_advanced_options_OK",
        "Check_preamble",
        "Check_postamble",
        "Check_replacestring",
        "Command1",
        "Combo_searchfor",
        "Combo_hotkey1",
        "Check_enablehotkey1",
        "Command5",
        "Text_hotkey1",
        "Text_hotkey1_addascii",
        "Command6",
        "Combo_hotkey_ascii_add",
        "Combo_hotkey_ascii_add2",
        "Command7",
        "Text_hotkey2_addascii",
        "Text_hotkey2",
        "Command8",
        "Combo_hotkey2",
        "Check_enablehotkey2",
        "Command9",
        "Text_searchfor_user_defined",
    };
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
    form.Form_Load("help.html", std::nullopt);

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
    EXPECT_EQ(form.logic().CURRENT_WINDOW, 2);
    EXPECT_TRUE(advanced.isVisible());
    EXPECT_EQ(advanced.pos(), mainCorner);

    advanced.move(330, 260);
    const QPoint advancedCorner = advanced.pos();
    advanced.Command_advanced_options_OK->click();
    EXPECT_EQ(form.logic().CURRENT_WINDOW, 1);
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
        form.logic().CURRENT_WINDOW = 2;
        messages.shown.clear();
        advanced.Command_advanced_options_OK->click();
        QCoreApplication::processEvents();

        const std::string name = textBox(failing)->objectName().toStdString();
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_EQ(messages.shown[0].text, kBraces);
        EXPECT_EQ(messages.shown[0].title, "Vantorix");
        EXPECT_EQ(advanced.focusWidget(), textBox(failing)) << name;
        EXPECT_EQ(form.logic().CURRENT_WINDOW, 1) << name;
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
    notificationArea = true;
    advanced.showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !advanced.isVisible(); }, kTimeoutMs));
    EXPECT_EQ(form.logic().CURRENT_WINDOW, 2) << "the icon is to bring this window back";
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
    Journal journal;
    FakeKeyboard keyboard;
    FakeHotKeys hotKeys{journal};
    FakeIcon icon{journal};
    FakeShortcut shortcut{journal};
    FakeMessageBoxes messages;
    const auto noNotificationArea = [] { return false; };
    {
        RedirectSettings settings;
        ConfigFile file(path);
        FORM1 form{
            {settings, keyboard, file, hotKeys, icon, shortcut, messages, noNotificationArea}};
        form.Form_Load("", std::nullopt);
        Form3& advanced = form.advancedWindow();
        type(advanced.Text_replacewith, QString::fromUtf8("a,b é"));
        advanced.Combo_addpreamble->setCurrentText("F5");
        advanced.Command3->click();
        advanced.Check_preamble->click();
        advanced.Combo_EOL->setCurrentText("TAB");
        advanced.Combo_hotkey1->setCurrentText("Shift+F9");
        advanced.Command_advanced_options_OK->click();
        form.exitProgram();
    }
    RedirectSettings settings;
    ConfigFile file(path);
    FORM1 form{{settings, keyboard, file, hotKeys, icon, shortcut, messages, noNotificationArea}};
    form.Form_Load("", std::nullopt);
    Form3& advanced = form.advancedWindow();
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
