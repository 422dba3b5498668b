#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <utility>

#include "settings/file_replacement.h"
#include "settings/redirect_settings.h"

namespace vantorix {

// vantorix.cfg: the 24 settings, one per line in field order, each line ended
// by CR LF, single-byte text. Commas in texts are stored as "{c}", because
// the reader splits values at commas as well as at line ends.
inline constexpr const char* kConfigFileName = "vantorix.cfg";

// Fills `settings` from the values in `in`, record by record. A value that
// does not fit its field (an unknown choice, a check value that is not a
// whole number from 0 to 2, a value longer than any the program writes)
// leaves the field as it is; so does a file that ends early. Reading stops
// after the 24th value. A UTF-8 byte-order mark before the first is skipped.
void readConfig(std::istream& in, RedirectSettings& settings);

// Writes the 24 records of `settings`. A line break in a value is left out,
// so that every later record stays on its own line.
void writeConfig(std::ostream& out, const RedirectSettings& settings);

// What reading or writing the file came to: `problem` tells the user what
// went wrong and what the program does about it; it is empty when all is well.
struct SettingsFileResult {
    bool ok = true;
    std::string problem;

    explicit operator bool() const { return ok; }
};

// Reads the file at `path`. A missing file changes nothing and is no problem;
// a path that is no regular file (a folder, a pipe, a device) or a file that
// cannot be read changes nothing either, and is one.
SettingsFileResult loadConfigFile(const std::string& path, RedirectSettings& settings);

// Replaces the file at `path` (see replaceFile: a failed write keeps the old
// file). Refuses a path that is there but no regular file.
SettingsFileResult saveConfigFile(const std::string& path, const RedirectSettings& settings,
                                  const FileMover& move = renameFile);

// Where the settings are kept between runs, as start-up and exit see it.
class SettingsFile {
  public:
    virtual ~SettingsFile() = default;
    virtual SettingsFileResult load(RedirectSettings& settings) = 0;
    virtual SettingsFileResult save(const RedirectSettings& settings) = 0;
};

// vantorix.cfg, by default in the working directory. A file that was there
// but could not be read at start is not saved over at exit: it may hold the
// user's settings.
class ConfigFile final : public SettingsFile {
  public:
    explicit ConfigFile(std::string path = kConfigFileName, FileMover move = renameFile)
        : path_(std::move(path)), move_(std::move(move)) {}
    SettingsFileResult load(RedirectSettings& settings) override;
    SettingsFileResult save(const RedirectSettings& settings) override;

  private:
    std::string path_;
    FileMover move_;
    bool keepAsItIs_ = false;
};

}  // namespace vantorix
