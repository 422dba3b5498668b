#pragma once

#include <QString>

#include <utility>

#include <chrono>
#include <cstddef>
#include <string>

namespace vantorix::test {

// The file a recording window appends the bytes of its keys to.
class TypedFile {
  public:
    explicit TypedFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // Waits until the file holds `count` bytes, or the timeout has passed,
    // running the Qt event loop meanwhile, and returns what it holds.
    std::string waitForBytes(std::size_t count, std::chrono::milliseconds timeout) const;
    std::string received() const;

  private:
    QString path_;
};

}  // namespace vantorix::test
