#include "typing/win32/elevated_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/fake_keyboard.h"
#include "typing/win32/elevated_window_watch.h"

namespace vantorix::win32 {
namespace {

constexpr IntegrityLevel kMedium = 0x2000;
constexpr IntegrityLevel kHigh = 0x3000;
constexpr IntegrityLevel kSystem = 0x4000;
constexpr IntegrityLevel kLow = 0x1000;

TEST(MustSayKeysRefused, OnlyForAWindowAboveOurLevelOrUnaskableNotYetTold) {
    struct Case {
        const char* name;
        std::optional<IntegrityLevel> own;
        ForegroundWindow target;
        std::set<std::uintptr_t> told;
        bool say;
    };
    const Case cases[] = {
        {"same level", kMedium, {7, kMedium}, {}, false},
        {"lower level", kMedium, {7, kLow}, {}, false},
        {"administrator's window", kMedium, {7, kHigh}, {}, true},
        {"system's window", kHigh, {7, kSystem}, {}, true},
        {"both administrator", kHigh, {7, kHigh}, {}, false},
        {"process could not be asked", kMedium, {7, std::nullopt}, {}, true},
        {"told about this window before", kMedium, {7, kHigh}, {7}, false},
        {"told about another window only", kMedium, {7, kHigh}, {8}, true},
        {"no window in front", kMedium, {0, std::nullopt}, {}, false},
        {"own level unknown", std::nullopt, {7, kHigh}, {}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mustSayKeysRefused(c.own, c.target, c.told), c.say) << c.name;
    }
}

// Reports the windows a test puts in front, one per call.
class ScriptedProbe final : public ForegroundProbe {
  public:
    explicit ScriptedProbe(std::vector<ForegroundWindow> windows) : windows_(std::move(windows)) {}
    std::optional<IntegrityLevel> ownLevel() override { return kMedium; }
    ForegroundWindow foreground() override { return windows_.at(next_++); }

  private:
    std::vector<ForegroundWindow> windows_;
    std::size_t next_ = 0;
};

TEST(ElevatedWindowWatch, SaysOncePerRefusingWindowAndTypesEverything) {
    auto keyboard = std::make_unique<test::FakeKeyboard>();
    test::FakeKeyboard& typed = *keyboard;
    std::vector<std::string> said;
    ElevatedWindowWatch watch(std::move(keyboard),
                              std::make_unique<ScriptedProbe>(std::vector<ForegroundWindow>{
                                  {1, kMedium}, {2, kHigh}, {2, kHigh}, {3, std::nullopt}}),
                              [&said](std::string_view message) { said.emplace_back(message); });
    watch.SendKeys("a", true);
    EXPECT_TRUE(said.empty()) << "a window at our own level takes the keys";
    watch.SendKeys("b", true);
    watch.SendKeys("c", false);
    ASSERT_EQ(said.size(), 1u) << "the administrator's window is told once";
    EXPECT_EQ(said[0], kKeysRefusedMessage);
    watch.SendKeys("", true);
    EXPECT_EQ(said.size(), 1u) << "nothing typed, nothing looked at";
    watch.SendKeys("d", true);
    EXPECT_EQ(said.size(), 2u) << "a window whose process cannot be asked is told too";
    EXPECT_EQ(typed.calls, (std::vector<std::string>{"send:a", "send:b", "send:c (no wait)",
                                                     "send:", "send:d"}));
}

}  // namespace
}  // namespace vantorix::win32
