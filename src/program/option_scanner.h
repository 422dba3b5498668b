#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantorix {

// One option of a command line, as help lists it: "-h, --help", "--port <path>".
struct OptionSpec {
    char shortName = '\0';  // '\0' when the option has no one-letter form
    std::string longName;
    std::string valueName;  // empty for an option that takes no value
    std::string description;
};

// What the arguments said, option by option.
struct ScannedArguments {
    // For each option: empty when not given, else its last value ("" for an
    // option that takes none).
    std::vector<std::optional<std::string>> given;
    std::vector<std::string> positional;
    // Why the arguments cannot be used ("Unknown option 'x'."); empty when
    // every argument was understood.
    std::string error;
};

// Reads `arguments` (without the program name): --name VALUE or --name=VALUE;
// one-letter options behind one dash, several at once ("-hv"); everything
// after "--", a lone "-" and anything not starting with a dash are positional.
// A value is taken from the next argument whatever it looks like. A missing
// or unexpected value outweighs unknown options in `error`.
ScannedArguments scanArguments(std::span<const OptionSpec> options,
                               std::span<const std::string> arguments);

// "Options:" and a line per option with its description beside it, wrapped
// at blanks so that no line is longer than 79 characters (a word too long for
// the description column is not cut).
std::string optionsHelp(std::span<const OptionSpec> options);

}  // namespace vantorix
