#include "forms/hot_key_request.h"

#include <array>
#include <utility>

namespace vantorix {
namespace {

constexpr std::string_view kRequestWord = "hotkey ";

constexpr std::array<std::pair<HotKeyRequestAnswer, std::string_view>, 5> kAnswerWords{{
    {HotKeyRequestAnswer::Ran, "ran"},
    {HotKeyRequestAnswer::NotRunning, "not-running"},
    {HotKeyRequestAnswer::NotEnabled, "not-enabled"},
    {HotKeyRequestAnswer::NotUnderstood, "not-understood"},
    {HotKeyRequestAnswer::OtherUser, "other-user"},
}};

std::string_view withoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

std::string hotKeyRequestLine(int hotKey) {
    return std::string(kRequestWord) + std::to_string(hotKey) + "\n";
}

std::optional<int> requestedHotKey(std::string_view line) {
    line = withoutLineEnd(line);
    if (line == "hotkey 1") {
        return 1;
    }
    if (line == "hotkey 2") {
        return 2;
    }
    return std::nullopt;
}

HotKeyRequestAnswer decideHotKeyRequest(bool running, bool registered) {
    if (!running) {
        return HotKeyRequestAnswer::NotRunning;
    }
    return registered ? HotKeyRequestAnswer::Ran : HotKeyRequestAnswer::NotEnabled;
}

std::string answerLine(HotKeyRequestAnswer answer) {
    for (const auto& [value, word] : kAnswerWords) {
        if (value == answer) {
            return std::string(word) + "\n";
        }
    }
    return "\n";
}

std::optional<HotKeyRequestAnswer> answerFromLine(std::string_view line) {
    line = withoutLineEnd(line);
    for (const auto& [value, word] : kAnswerWords) {
        if (word == line) {
            return value;
        }
    }
    return std::nullopt;
}

SendHotKeyOutcome sendHotKeyOutcome(std::optional<HotKeyRequestAnswer> answer, int hotKey) {
    const std::string key = "hot key " + std::to_string(hotKey);
    const SendHotKeyOutcome unanswered{
        kExitNoProgram, "The running Vantorix did not answer; " + key + " did not run."};
    if (!answer) {
        return unanswered;
    }
    switch (*answer) {
        case HotKeyRequestAnswer::Ran:
            return {};
        case HotKeyRequestAnswer::NotRunning:
            return {kExitNotRunning,
                    "Vantorix is not redirecting (press START first), so " + key + " did not run."};
        case HotKeyRequestAnswer::NotEnabled:
            return {kExitHotKeyNotEnabled,
                    "Hot key " + std::to_string(hotKey) +
                        " was not enabled when redirection started (Advanced options, then STOP "
                        "and START again), so it did not run."};
        case HotKeyRequestAnswer::NotUnderstood:
            return {kExitNoProgram, "The running Vantorix did not understand the request for " +
                                        key + "; is it an older version?"};
        case HotKeyRequestAnswer::OtherUser:
            return {kExitOtherUser,
                    "The running Vantorix belongs to another user and takes no "
                    "requests from this one."};
    }
    return unanswered;
}

SendHotKeyOutcome noProgramOutcome(const std::string& place) {
    return {kExitNoProgram,
            "No Vantorix with its window is running for this user (nothing "
            "answers at " +
                place + ")."};
}

SendHotKeyOutcome otherUserOutcome(const std::string& place) {
    return {kExitOtherUser, place + " belongs to another user: only its owner may use it."};
}

}  // namespace vantorix
