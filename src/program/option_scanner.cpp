#include "program/option_scanner.h"

#include <algorithm>
#include <string_view>

namespace vantorix {
namespace {

constexpr std::size_t kHelpWidth = 79;
constexpr std::string_view kIndent = "  ";

class Scanner {
  public:
    Scanner(std::span<const OptionSpec> options, std::span<const std::string> arguments)
        : options_(options), arguments_(arguments) {
        result_.given.resize(options.size());
    }

    ScannedArguments scan() && {
        bool optionsEnded = false;
        for (next_ = 0; next_ < arguments_.size();) {
            const std::string& argument = arguments_[next_++];
            if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
                result_.positional.push_back(argument);
            } else if (argument == "--") {
                optionsEnded = true;
            } else if (argument[1] == '-') {
                readLongOption(std::string_view(argument).substr(2));
            } else {
                readLetters(std::string_view(argument).substr(1));
            }
        }
        if (result_.error.empty() && !unknown_.empty()) {
            result_.error = unknownOptionsText();
        }
        return std::move(result_);
    }

  private:
    void readLongOption(std::string_view text) {
        const std::size_t equals = text.find('=');
        const std::string_view name = text.substr(0, equals);
        const auto found = std::find_if(options_.begin(), options_.end(),
                                        [name](const OptionSpec& o) { return o.longName == name; });
        if (found == options_.end()) {
            unknown_.emplace_back(name);
            return;
        }
        std::optional<std::string> attached;
        if (equals != std::string_view::npos) {
            attached = std::string(text.substr(equals + 1));
        }
        give(*found, "--" + std::string(name), std::move(attached));
    }

    // One-letter options take no value in this program; "=" after the last
    // letter is a value all the same, and a mistake.
    void readLetters(std::string_view text) {
        const std::size_t equals = text.find('=');
        const std::string_view letters = text.substr(0, equals);
        // "-headless" is far more likely a long option with one dash too few
        // than seven one-letter options.
        if (letters.size() > 1 && result_.error.empty()) {
            const auto meant =
                std::find_if(options_.begin(), options_.end(),
                             [letters](const OptionSpec& o) { return o.longName == letters; });
            if (meant != options_.end()) {
                result_.error = "Unknown option '-" + std::string(letters) + "'; did you mean '--" +
                                meant->longName + "'?";
                return;
            }
        }
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const char letter = letters[i];
            const auto found =
                std::find_if(options_.begin(), options_.end(),
                             [letter](const OptionSpec& o) { return o.shortName == letter; });
            if (found == options_.end()) {
                unknown_.emplace_back(1, letter);
                continue;
            }
            std::optional<std::string> attached;
            if (i + 1 == letters.size() && equals != std::string_view::npos) {
                attached = std::string(text.substr(equals + 1));
            }
            give(*found, std::string{'-', letter}, std::move(attached));
        }
    }

    void give(const OptionSpec& option, const std::string& written,
              std::optional<std::string> attached) {
        std::optional<std::string>& given =
            result_.given[static_cast<std::size_t>(&option - options_.data())];
        if (option.valueName.empty()) {
            if (attached) {
                result_.error = "Unexpected value after '" + written + "'.";
                return;
            }
            given = std::string();
            return;
        }
        if (attached) {
            given = std::move(attached);
        } else if (next_ < arguments_.size()) {
            given = arguments_[next_++];
        } else {
            result_.error = "Missing value after '" + written + "'.";
        }
    }

    std::string unknownOptionsText() const {
        if (unknown_.size() == 1) {
            return "Unknown option '" + unknown_.front() + "'.";
        }
        std::string text = "Unknown options: ";
        for (std::size_t i = 0; i < unknown_.size(); ++i) {
            text += (i == 0 ? "" : ", ") + unknown_[i];
        }
        return text + ".";
    }

    std::span<const OptionSpec> options_;
    std::span<const std::string> arguments_;
    std::size_t next_ = 0;
    std::vector<std::string> unknown_;
    ScannedArguments result_;
};

std::string namesOf(const OptionSpec& option) {
    std::string names;
    if (option.shortName != '\0') {
        names = std::string{'-', option.shortName} + ", ";
    }
    names += "--" + option.longName;
    if (!option.valueName.empty()) {
        names += " <" + option.valueName + ">";
    }
    return names;
}

// The description cut at blanks into lines of at most `width` characters; a
// word longer than that stands on a line of its own.
std::vector<std::string> wrapped(std::string_view text, std::size_t width) {
    std::vector<std::string> lines(1);
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        const std::string_view word = text.substr(0, blank);
        text.remove_prefix(blank == std::string_view::npos ? text.size() : blank + 1);
        std::string& line = lines.back();
        if (line.empty()) {
            line = word;
        } else if (line.size() + 1 + word.size() <= width) {
            line += ' ';
            line += word;
        } else {
            lines.emplace_back(word);
        }
    }
    return lines;
}

}  // namespace

ScannedArguments scanArguments(std::span<const OptionSpec> options,
                               std::span<const std::string> arguments) {
    return Scanner(options, arguments).scan();
}

std::string optionsHelp(std::span<const OptionSpec> options) {
    std::size_t namesWidth = 0;
    for (const OptionSpec& option : options) {
        namesWidth = std::max(namesWidth, namesOf(option).size());
    }
    ++namesWidth;  // a blank between the longest names and their description
    const std::size_t descriptionColumn = kIndent.size() + namesWidth + 1;
    const std::size_t descriptionWidth =
        kHelpWidth > descriptionColumn ? kHelpWidth - descriptionColumn : 1;

    std::string help = "Options:\n";
    for (const OptionSpec& option : options) {
        std::string names = namesOf(option);
        names.resize(namesWidth, ' ');
        std::string lead = std::string(kIndent) + names + ' ';
        for (const std::string& line : wrapped(option.description, descriptionWidth)) {
            help += lead + line + '\n';
            lead.assign(descriptionColumn, ' ');
        }
    }
    return help;
}

}  // namespace vantorix
