#pragma once

#include "settings/redirect_settings.h"
#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_message_boxes.h"

namespace vantorix::test {

// Everything a main window is built with, as fakes that share one journal.
// Window test fixtures derive from it and build their FORM1 from the members.
struct FakeWindowServices {
    Journal journal;
    RedirectSettings settings;
    FakeKeyboard keyboard;
    FakeSettingsFile file{journal};
    FakeHotKeys hotKeys{journal};
    FakeIcon icon{journal};
    FakeShortcut shortcut{journal};
    FakeMessageBoxes messages;
};

}  // namespace vantorix::test
