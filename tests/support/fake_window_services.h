#pragma once

#include "settings/redirect_settings.h"
#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_message_boxes.h"
#include "support/recording_url_opener.h"

namespace vantorix::test {

// Everything the windows are built with, as fakes that share one journal.
// Window test fixtures derive from it and build their windows from the
// members. The desktop starts without a notification area.
struct FakeWindowServices {
    FakeWindowServices() { icon.restores = false; }

    Journal journal;
    RedirectSettings settings;
    FakeKeyboard keyboard;
    FakeSettingsFile file{journal};
    FakeHotKeys hotKeys{journal};
    FakeIcon icon{journal};
    FakeShortcut shortcut{journal};
    FakeMessageBoxes messages;
    RecordingUrlOpener browser;
};

}  // namespace vantorix::test
