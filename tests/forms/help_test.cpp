#include "forms/help.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/unique_folder.h"

namespace vantorix {
namespace {

namespace fs = std::filesystem;

// An installed tree in a folder of the test's own: PREFIX/bin and
// PREFIX/share/doc/vantorix.
class HelpFileFor : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(bin());
        fs::create_directories(doc());
    }

    fs::path bin() const { return prefix / "bin"; }
    fs::path doc() const { return prefix / "share" / "doc" / "vantorix"; }
    static fs::path name() { return fs::path(helpFileName()); }

    test::UniqueFolder folder{"vantorix-help"};
    const fs::path prefix = folder.path();
};

TEST_F(HelpFileFor, TakesTheManualBesideTheProgramFirstThenTheInstalledOne) {
    struct Case {
        bool beside;
        bool installed;
        fs::path expected;
    };
    const std::vector<Case> cases = {
        {false, false, bin() / name()},
        {false, true, doc() / name()},
        {true, true, bin() / name()},
    };
    for (const Case& c : cases) {
        fs::remove(bin() / name());
        fs::remove(doc() / name());
        if (c.beside) {
            std::ofstream(bin() / name()) << "beside";
        }
        if (c.installed) {
            std::ofstream(doc() / name()) << "installed";
        }
        EXPECT_EQ(fs::path(helpFileFor(bin().string())), c.expected)
            << "beside " << c.beside << ", installed " << c.installed;
    }
}

}  // namespace
}  // namespace vantorix
