#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <utility>

#include "settings/redirect_settings.h"

namespace vantorix {

// vantorix.cfg: the 24 settings, one per line in field order, each line ended
// by CR LF, single-byte text. Commas in texts are stored as "{c}", because
// the reader splits values at commas as well as at line ends.
inline constexpr const char* kConfigFileName = "vantorix.cfg";

// Fills `settings` from the values in `in`, record by record. A value that
// does not fit its field (an unknown choice, a check value that is not a
// whole number from 0 to 2) leaves the field as it is; so does a file that
// ends early. Values after the 24th are ignored.
void readConfig(std::istream& in, RedirectSettings& settings);

// Writes the 24 records of `settings`.
void writeConfig(std::ostream& out, const RedirectSettings& settings);

// Reads the file at `path`; a missing or unreadable file changes nothing.
void loadConfigFile(const std::string& path, RedirectSettings& settings);

// Writes the file at `path` through a temporary file beside it that replaces
// the old one only once it is complete, so a failed write never costs the
// settings already saved. Returns whether the file was written.
bool saveConfigFile(const std::string& path, const RedirectSettings& settings);

// Where the settings are kept between runs, as start-up and exit see it.
class SettingsFile {
  public:
    virtual ~SettingsFile() = default;
    virtual void load(RedirectSettings& settings) = 0;
    virtual bool save(const RedirectSettings& settings) = 0;
};

// vantorix.cfg, by default in the working directory.
class ConfigFile final : public SettingsFile {
  public:
    explicit ConfigFile(std::string path = kConfigFileName) : path_(std::move(path)) {}
    void load(RedirectSettings& settings) override { loadConfigFile(path_, settings); }
    bool save(const RedirectSettings& settings) override { return saveConfigFile(path_, settings); }

  private:
    std::string path_;
};

}  // namespace vantorix
