#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace vantorix::test {

// Under Wine a Windows program can start programs of the Linux system under
// it (socat, kill) and see its files on drive Z:. These helpers do that for
// the tests; where this is not Wine, unixFolder() is empty and tests that need
// the Linux side skip.

// The Linux folder named by the environment variable `name` (set by the
// tests' CMake files), or empty.
std::optional<std::string> unixFolder(const char* name);

// "Z:\tmp\x" for "/tmp/x".
std::wstring windowsPath(const std::string& unixPath);

bool unixFileExists(const std::string& unixPath);

// Starts `/bin/sh -c command` without waiting for it. The command must not
// hold double quotes.
bool startShellCommand(const std::string& command);

// Runs `/bin/sh -c command` and waits until it has ended; false when it has
// not ended within the timeout. The same restriction on quotes holds.
bool runShellCommand(const std::string& command, std::chrono::milliseconds timeout);
// The same, and what the command wrote to its standard output; empty when it
// did not end in time.
std::optional<std::string> shellCommandOutput(const std::string& command,
                                              std::chrono::milliseconds timeout);

// Waits until the file exists (or, with `exists` false, until it is gone).
bool waitForUnixFile(const std::string& unixPath, bool exists, std::chrono::milliseconds timeout);

}  // namespace vantorix::test
