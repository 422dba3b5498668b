#include "typing/wayland/typing_planner.h"

#include <xkbcommon/xkbcommon.h>

namespace vantorix::wayland {

namespace {

std::uint32_t modifierMask(const Modifiers& modifiers) {
    return (modifiers.shift ? kShiftMask : 0U) | (modifiers.control ? kControlMask : 0U) |
           (modifiers.alt ? kAltMask : 0U);
}

}  // namespace

TypingPlanner::TypingPlanner() : keymap_(OwnKeymap::common()), text_(keymap_.text()) {}

std::vector<TypingRun> TypingPlanner::plan(const std::vector<KeyAction>& actions) {
    std::vector<TypingRun> runs;
    std::size_t next = 0;
    while (next < actions.size()) {
        TypingRun run;
        bool keymapGrew = false;
        for (; next < actions.size(); ++next) {
            const KeyAction& action = actions[next];
            const Keysym keysym = keysymFor(action);
            if (keysym == XKB_KEY_NoSymbol) {
                continue;
            }
            auto keycode = keymap_.keycodeOf(keysym);
            if (!keycode) {
                keycode = keymap_.add(keysym);
                if (!keycode) {
                    break;  // full: the rest goes in a run of its own
                }
                keymapGrew = true;
            }
            run.strokes.push_back(
                {*keycode - kKeycodeOffset, modifierMask(action.modifiers), action.repeat});
        }
        if (keymapGrew) {
            text_ = keymap_.text();
            run.keymap = text_;
        }
        if (!run.strokes.empty()) {
            runs.push_back(std::move(run));
        }
        if (next < actions.size()) {
            keymap_ = OwnKeymap::common();
        }
    }
    return runs;
}

}  // namespace vantorix::wayland
