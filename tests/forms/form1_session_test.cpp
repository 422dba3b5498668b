#include "forms/form1_session.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "forms/layout/form1_layout.h"
#include "forms/layout/form3_layout.h"
#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_message_boxes.h"
#include "support/fake_port_watcher.h"
#include "support/fake_serial_port.h"
#include "support/fake_window_views.h"
#include "support/manual_timer.h"
#include "support/recording_url_opener.h"

namespace vantorix {
namespace {

using namespace test;

class Form1SessionTest : public ::testing::Test {
  protected:
    Form1SessionTest() {
        timer.onTick = [this] { session->Timer1_Timer(); };
    }

    void start() {
        session->Form_Load("/opt/vantorix/vantorix.html", std::nullopt);
        session->Command1_Click();
        journal.clear();
    }

    Journal journal;
    RedirectSettings settings;
    FakeSerialPort port;
    ManualTimer timer;
    FakeKeyboard keyboard;
    FakeSettingsFile file{journal};
    FakeHotKeys hotKeys{journal};
    FakeIcon icon{journal};
    FakeShortcut shortcut{journal};
    FakeMessageBoxes messages{journal};
    RecordingUrlOpener browser;
    FakeMainWindowView mainWindow{journal};
    FakeForm3View advancedWindow{journal};
    DesktopServices desktop{keyboard, file, hotKeys, icon, shortcut, messages, browser};
    FakePortWatcher watcher;
    std::optional<Form1Session> session{std::in_place, settings, port,       timer,
                                        watcher,       desktop,  mainWindow, advancedWindow};
};

TEST_F(Form1SessionTest, ReceivedTextIsTypedAtTheNextTick) {
    session->Form_Load("", std::nullopt);
    settings.Check_ENTER_KEY = 1;
    session->Command1_Click();
    port.receive("12+3\r");
    EXPECT_TRUE(keyboard.sent.empty()) << "nothing is typed inside the receive event";
    timer.advance(FlushTimer::kIntervalMs);
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"12{+}3~"}));
}

// Each record typed once: what came before the loss while waiting, what the
// returned port sends after it; the program can end or stop while it waits.
TEST_F(Form1SessionTest, RedirectionCarriesOnAcrossALostPort) {
    enum class Then { PortBack, Stop, Exit };
    struct Case {
        Then then;
        std::vector<std::string> typed;
        bool running;
        bool exitStepsRan;
    };
    const Case cases[] = {
        {Then::PortBack, {"1~", "2~"}, true, false},
        {Then::Stop, {"1~"}, false, false},
        {Then::Exit, {"1~"}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.then));
        keyboard.sent.clear();
        port.setPortOpen(false);
        session.emplace(settings, port, timer, watcher, desktop, mainWindow, advancedWindow);
        settings.Check_ENTER_KEY = 1;
        start();
        port.receive("1\r");
        port.setPortOpen(false);
        port.OnPortLost("Port /dev/ttyUSB0 was lost");
        timer.advance(FlushTimer::kIntervalMs);
        EXPECT_EQ(icon.currentTip, kWaitingTip);
        switch (c.then) {
            case Then::PortBack:
                watcher.notice();
                port.receive("2\r");
                break;
            case Then::Stop:
                session->Command_stop_redirect_Click();
                break;
            case Then::Exit:
                session->exitProgram();
                break;
        }
        timer.advance(FlushTimer::kIntervalMs);
        EXPECT_EQ(keyboard.sent, c.typed);
        EXPECT_EQ(session->isRunning(), c.running);
        if (c.then != Then::Exit) {
            EXPECT_EQ(icon.currentTip, c.running ? kRunningTip : kIdleTip);
        }
        EXPECT_FALSE(watcher.notice()) << "nobody waits for the port any more";
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "icon:remove"),
                  c.exitStepsRan ? 1 : 0);
        // The icon says so twice in passing: never a box that waits for an answer.
        const auto said = [this](std::string_view start) {
            return std::count_if(journal.begin(), journal.end(), [start](const std::string& entry) {
                return entry.starts_with(start);
            });
        };
        EXPECT_EQ(said("message"), 0);
        EXPECT_EQ(said("icon:notify"), c.then == Then::PortBack ? 2 : 1);
    }
}

TEST_F(Form1SessionTest, EachHotKeySendsItsOwnStringExpandedOutOfTheOpenPort) {
    struct Case {
        int hotKey;
        bool running;
        std::string sent;
    };
    const std::vector<Case> cases = {
        {1, true, "one\r"},
        {2, true, "two\r\n"},
        {1, false, ""},
    };
    settings.Check_enablehotkey1 = 1;
    settings.Check_enablehotkey2 = 1;
    for (const Case& c : cases) {
        settings.Text_hotkey1 = "one{13}";
        settings.Text_hotkey2 = "two{13}{10}";
        port.setPortOpen(c.running);
        hotKeys.registered = true;
        port.sentOut.clear();
        hotKeys.press(c.hotKey);
        EXPECT_EQ(port.sentOut, c.sent) << "hot key " << c.hotKey << " running " << c.running;
        EXPECT_EQ(settings.Text_hotkey1, "one{13}") << "the setting stays as the user wrote it";
    }
}

TEST_F(Form1SessionTest, AHotKeyAskedFromOutsideRunsAsAPressWouldOnlyWhenItCouldBePressed) {
    struct Case {
        bool started;
        bool secondEnabled;
        int hotKey;
        HotKeyRequestAnswer answer;
        std::string sent;
    };
    const std::vector<Case> cases = {
        {true, true, 1, HotKeyRequestAnswer::Ran, "one\r"},
        {true, true, 2, HotKeyRequestAnswer::Ran, "two\r\n"},
        {true, false, 2, HotKeyRequestAnswer::NotEnabled, ""},
        {true, false, 1, HotKeyRequestAnswer::Ran, "one\r"},
        {false, true, 1, HotKeyRequestAnswer::NotRunning, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "started " << c.started << " second enabled "
                                          << c.secondEnabled << " hot key " << c.hotKey);
        RedirectSettings stored;
        stored.Text_hotkey1 = "one{13}";
        stored.Text_hotkey2 = "two{13}{10}";
        stored.Check_enablehotkey1 = 1;
        stored.Check_enablehotkey2 = c.secondEnabled ? 1 : 0;
        file.stored = stored;
        hotKeys.secondEnabled = c.secondEnabled;
        session->Form_Load("", std::nullopt);
        if (c.started) {
            session->Command1_Click();
        }
        port.sentOut.clear();
        EXPECT_EQ(session->runRequestedHotKey(c.hotKey), c.answer);
        EXPECT_EQ(port.sentOut, c.sent);
        if (c.started) {
            session->Command_stop_redirect_Click();
        }
    }
}

TEST_F(Form1SessionTest, TheIconBringsBackTheWindowInUse) {
    struct Case {
        const char* how;
        void (*before)(Form1Session&);
        Journal restored;
    };
    const Journal mainBack = {"main:normal", "advanced:normal", "main:show", "advanced:hide"};
    const Journal advancedBack = {"main:normal", "advanced:normal", "main:hide", "advanced:show"};
    const std::vector<Case> cases = {
        {"at start", [](Form1Session&) {}, mainBack},
        {"advanced options open", [](Form1Session& s) { s.Command_advanced_options_Click(); },
         advancedBack},
        {"refused DONE",
         [](Form1Session& s) {
             s.Command_advanced_options_Click();
             s.advancedOptions().Command_advanced_options_OK_Click();
         },
         mainBack},
    };
    for (const Case& c : cases) {
        session->Form_Load("", std::nullopt);
        settings.Text_preamble = "{ENTER";  // DONE refuses it
        c.before(*session);
        journal.clear();
        icon.onDoubleClick();
        EXPECT_EQ(journal, c.restored) << c.how;
    }
}

TEST_F(Form1SessionTest, TheHelpMenuTypesF1F1OpensTheHelpFileAndAboutShowsItsLink) {
    session->Form_Load("/opt/vantorix/vantorix.html", std::nullopt);
    journal.clear();
    session->menu_help_contents_Click();
    session->openHelp();
    session->menu_about_vantorix_Click();
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:{F1}"}));
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"/opt/vantorix/vantorix.html"}));
    EXPECT_EQ(journal, (Journal{"main:about /opt/vantorix/vantorix.html"}));
}

TEST_F(Form1SessionTest, HelpContentsPutsTheLockKeysBackAfterTypingF1) {
    keyboard.capsLock = true;
    keyboard.whileTyping = [this] { keyboard.capsLock = false; };
    session->menu_help_contents_Click();
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:{f1}", "toggle:caps"}));
}

TEST_F(Form1SessionTest, EitherWindowClosedEndsTheProgramOnceWithoutStop) {
    for (const bool fromAdvanced : {false, true}) {
        Form1Session other(settings, port, timer, watcher, desktop, mainWindow, advancedWindow);
        other.Form_Load("", std::nullopt);
        other.Command1_Click();
        journal.clear();
        if (fromAdvanced) {
            other.advancedOptions().Form_Unload();
        } else {
            other.exitProgram();
        }
        other.exitProgram();
        EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove", "main:end"}))
            << (fromAdvanced ? "advanced options window" : "main window");
        EXPECT_TRUE(other.isRunning());
        port.setPortOpen(false);
    }
}

// --- Typing at exit ---

// The advanced options cut records at CR and put {HOME} before each.
RedirectSettings homeBeforeEachRecord() {
    RedirectSettings settings;
    settings.Check_preamble = 1;
    settings.Text_preamble = "{HOME}";
    return settings;
}

TEST_F(Form1SessionTest, WhatWasReceivedIsTypedBeforeTheExitsStepsButNoUnfinishedRecord) {
    struct Case {
        const char* what;
        RedirectSettings stored;
        const char* received;
        std::vector<std::string> typed;
    };
    const Case cases[] = {
        {"simple", RedirectSettings{}, "12+3", {"12{+}3"}},
        {"records", homeBeforeEachRecord(), "1\r2\r3", {"{HOME}1{HOME}2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        keyboard.sent.clear();
        Form1Session& other =
            session.emplace(settings, port, timer, watcher, desktop, mainWindow, advancedWindow);
        file.stored = c.stored;
        other.Form_Load("", std::nullopt);
        other.Command1_Click();
        port.receive(c.received);
        journal.clear();
        other.exitProgram();
        EXPECT_TRUE(journal.empty()) << "the exit waits for the typing";
        timer.advance(0);
        EXPECT_EQ(keyboard.sent, c.typed);
        EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove", "main:end"}));
        port.setPortOpen(false);
    }
}

TEST_F(Form1SessionTest, AskedAgainOrStoppedWhileTypingDropsTheRestAndExitsOnce) {
    struct Case {
        const char* what;
        void (*meanwhile)(Form1Session&);
    };
    const Case cases[] = {
        {"a second request", [](Form1Session& s) { s.exitProgram(); }},
        {"STOP", [](Form1Session& s) { s.Command_stop_redirect_Click(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        keyboard.sent.clear();
        Form1Session& other =
            session.emplace(settings, port, timer, watcher, desktop, mainWindow, advancedWindow);
        other.Form_Load("", std::nullopt);
        other.Command1_Click();
        port.receive(std::string(3 * ReceiveHandler::kSliceLength, 'a'));
        journal.clear();
        other.exitProgram();
        bool asked = false;
        keyboard.whileTyping = [&] {
            if (!std::exchange(asked, true)) {
                c.meanwhile(other);
            }
        };
        timer.advance(0);
        EXPECT_EQ(keyboard.sent.size(), 1U) << "one slice, then the rest is dropped";
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "file:save"), 1);
        EXPECT_EQ(journal.back(), "main:end");
        other.exitProgram();
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "main:end"), 1);
        port.setPortOpen(false);
    }
}

TEST_F(Form1SessionTest, EndingNowTypesTheQueueAtOnceThenRunsTheExitStepsOnce) {
    session->Form_Load("", std::nullopt);
    session->Command1_Click();
    port.receive(std::string(2 * ReceiveHandler::kSliceLength, 'b') + "c");
    journal.clear();
    session->prepareForExitNow();
    std::string typed;
    for (const std::string& slice : keyboard.sent) {
        typed += slice;
    }
    EXPECT_EQ(typed, std::string(2 * ReceiveHandler::kSliceLength, 'b') + "c");
    session->exitProgram();
    EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove", "main:end"}));
}

TEST_F(Form1SessionTest, AnExitAskedForWhileAStartUpMessageIsOpenEndsWithoutShowingTheWindow) {
    settings.Check_startrun = 1;
    file.stored = settings;
    port.opens = false;
    messages.whileOpen = [this] { session->exitProgram(); };
    session->Form_Load("", std::nullopt);
    session->showAfterLoad();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "main:end"), 1);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "main:open"), 0);
}

// --- The settings file in the window ---

TEST_F(Form1SessionTest, ProblemsWithTheSettingsFileAreShownAndStartAndExitGoOn) {
    file.loadResult = {false, "The settings file /home/u/vantorix.cfg is a folder."};
    file.saveResult = {false,
                       "The settings could not be saved in /home/u/vantorix.cfg (Disk full)."};
    session->Form_Load("", std::nullopt);
    session->showAfterLoad();
    session->exitProgram();
    std::erase_if(journal, [](const std::string& step) {
        return step.starts_with("advanced:") || step.starts_with("main:indicator") ||
               step == "main:settings";
    });
    EXPECT_EQ(journal,
              (Journal{"icon:place idle", "file:load",
                       "message The settings file /home/u/vantorix.cfg is a folder.|Vantorix",
                       "main:open", "file:save",
                       "message The settings could not be saved in /home/u/vantorix.cfg (Disk "
                       "full).|Vantorix",
                       "shortcut:delete", "icon:remove", "main:end"}));
}

TEST_F(Form1SessionTest, StartUpEndsWithTheMainWindowShownAndTheTimerRunning) {
    EXPECT_TRUE(timer.isEnabled());
    session->Form_Load("", std::nullopt);
    session->showAfterLoad();
    EXPECT_EQ(journal.back(), "main:open");
}

TEST_F(Form1SessionTest, AGoneSessionLeavesNoHandlersBehind) {
    session.reset();
    EXPECT_FALSE(port.OnComm);
    EXPECT_FALSE(port.OnPortLost);
    EXPECT_FALSE(icon.onDoubleClick);
    hotKeys.registered = true;
    hotKeys.press(1);  // would call into the gone session
    EXPECT_TRUE(port.log.empty());
}

// The front ends find the controls the shared code names by these names.
TEST(ControlNames, EveryControlTheWindowsLogicNamesIsInItsLayoutAsTheRightKind) {
    struct Named {
        std::string_view name;
        const WindowLayout& window;
        std::vector<ControlKind> kinds;
    };
    const std::vector<ControlKind> redirection = {ControlKind::Button, ControlKind::DropDownList,
                                                  ControlKind::CheckBox};
    std::vector<Named> named;
    for (int i = 0; i <= static_cast<int>(RedirectionControl::Check_ENTER_KEY); ++i) {
        named.push_back(
            {controlName(static_cast<RedirectionControl>(i)), kForm1Layout, redirection});
    }
    for (const AdvancedText box : kAdvancedTexts) {
        named.push_back({controlName(box), kForm3Layout, {ControlKind::TextBox}});
    }
    for (int i = 0; i <= static_cast<int>(InsertionList::Combo_hotkey_ascii_add2); ++i) {
        named.push_back({controlName(static_cast<InsertionList>(i)),
                         kForm3Layout,
                         {ControlKind::DropDownList}});
    }
    for (int i = 0; i <= static_cast<int>(CodeBox::Text_hotkey2_addascii); ++i) {
        named.push_back(
            {controlName(static_cast<CodeBox>(i)), kForm3Layout, {ControlKind::TextBox}});
    }
    std::set<std::string_view> distinct;
    for (const Named& n : named) {
        const ControlLayout* control = n.window.control(n.name);
        ASSERT_NE(control, nullptr) << n.name;
        EXPECT_NE(std::find(n.kinds.begin(), n.kinds.end(), control->kind), n.kinds.end())
            << n.name;
        EXPECT_TRUE(distinct.insert(n.name).second) << n.name << " named twice";
    }
}

TEST(ControlNames, TheMainWindowOpensIdle) {
    for (int i = 0; i <= static_cast<int>(RedirectionControl::Check_ENTER_KEY); ++i) {
        const auto control = static_cast<RedirectionControl>(i);
        const ControlLayout* layout = kForm1Layout.control(controlName(control));
        ASSERT_NE(layout, nullptr);
        EXPECT_EQ(layout->enabled, control != RedirectionControl::Command_stop_redirect)
            << layout->name;
    }
}

}  // namespace
}  // namespace vantorix
