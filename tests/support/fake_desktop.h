#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/hot_key_service.h"
#include "forms/notification_icon.h"
#include "forms/startup_shortcut.h"
#include "settings/config_file.h"

namespace vantorix::test {

// Fakes of the desktop services and the settings file that write what they
// are asked to do into one shared journal, so a test can check the order of
// steps across all of them.
using Journal = std::vector<std::string>;

class FakeHotKeys final : public HotKeyService {
  public:
    explicit FakeHotKeys(Journal& journal) : journal_(journal) {}
    bool isRegistered() const override { return registered; }
    bool isHotKeyRegistered(int hotKey) const override {
        return registered && (hotKey == 1 ? firstEnabled : hotKey == 2 && secondEnabled);
    }
    void cmdRegisterHotKey_Click() override {
        registered = true;
        journal_.emplace_back("hotkeys:register");
    }
    void cmdUnregisterHotKey_Click() override {
        registered = false;
        journal_.emplace_back("hotkeys:unregister");
    }
    void setActions(std::function<void()> hotKey1, std::function<void()> hotKey2) override {
        hotKey1_ = std::move(hotKey1);
        hotKey2_ = std::move(hotKey2);
    }
    // The desktop reports a press of hot key 1 or 2 while they are registered.
    void press(int hotKey) {
        const std::function<void()>& action = hotKey == 1 ? hotKey1_ : hotKey2_;
        if (registered && action) {
            action();
        }
    }
    bool registered = false;
    // Which keys registration takes.
    bool firstEnabled = true;
    bool secondEnabled = true;

  private:
    Journal& journal_;
    std::function<void()> hotKey1_;
    std::function<void()> hotKey2_;
};

class FakeIcon final : public NotificationIcon {
  public:
    explicit FakeIcon(Journal& journal) : journal_(journal) {}
    void place(std::string_view tip) override {
        currentTip = tip;
        journal_.push_back("icon:place " + describe(tip));
    }
    void setTip(std::string_view tip) override {
        currentTip = tip;
        journal_.push_back("icon:tip " + describe(tip));
    }
    void remove() override { journal_.emplace_back("icon:remove"); }
    void notify(std::string_view title, std::string_view text) override {
        journal_.push_back("icon:notify " + std::string(title) + ": " + std::string(text));
    }
    bool restoresWindows() const override { return restores; }
    std::string currentTip;
    // Whether the desktop has a notification area the icon brings windows back from.
    bool restores = true;

  private:
    static std::string describe(std::string_view tip) {
        return tip == kIdleTip      ? "idle"
               : tip == kRunningTip ? "running"
               : tip == kWaitingTip ? "waiting"
                                    : std::string(tip);
    }
    Journal& journal_;
};

class FakeShortcut final : public StartupShortcut {
  public:
    explicit FakeShortcut(Journal& journal) : journal_(journal) {}
    void Create_startup_link() override { journal_.emplace_back("shortcut:create"); }
    void Delete_startup_link() override { journal_.emplace_back("shortcut:delete"); }

  private:
    Journal& journal_;
};

// A settings file held in memory, as the 24 lines the real file would hold.
class FakeSettingsFile final : public SettingsFile {
  public:
    explicit FakeSettingsFile(Journal& journal) : journal_(journal) {}
    SettingsFileResult load(RedirectSettings& settings) override {
        journal_.emplace_back("file:load");
        if (stored) {
            settings = *stored;
        }
        return loadResult;
    }
    SettingsFileResult save(const RedirectSettings& settings) override {
        journal_.emplace_back("file:save");
        if (saveResult) {
            stored = settings;
        }
        return saveResult;
    }
    std::optional<RedirectSettings> stored;
    // What loading and saving come to: a problem where a test sets one.
    SettingsFileResult loadResult;
    SettingsFileResult saveResult;

  private:
    Journal& journal_;
};

}  // namespace vantorix::test
