#include "typing/print_keyboard.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

namespace vantorix {
namespace {

// A stream buffer that takes `room` characters and then refuses, as a full
// disk or a closed standard output does.
class FullBuffer final : public std::streambuf {
  public:
    explicit FullBuffer(std::size_t room) : room_(room) {}
    std::string taken;

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()) || taken.size() >= room_) {
            return traits_type::eof();
        }
        taken.push_back(traits_type::to_char_type(c));
        return c;
    }

  private:
    std::size_t room_;
};

TEST(PrintKeyboard, WritesOneLineACallExactlyAsHandedOver) {
    std::ostringstream out;
    PrintKeyboard keyboard(out);
    keyboard.SendKeys("a{+}b~", false);
    keyboard.SendKeys("", true);
    keyboard.SendKeys("{HOME}\x80", false);
    EXPECT_EQ(out.str(), "a{+}b~\n\n{HOME}\x80\n");
}

TEST(PrintKeyboard, AFailingStreamIsReportedOnceAndNothingMoreIsWritten) {
    FullBuffer buffer(5);
    std::ostream out(&buffer);
    int reports = 0;
    PrintKeyboard keyboard(out, [&reports] { ++reports; });
    keyboard.SendKeys("abc", false);
    EXPECT_EQ(reports, 0);
    keyboard.SendKeys("defgh", false);
    EXPECT_EQ(reports, 1);
    out.clear();
    keyboard.SendKeys("more", false);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(buffer.taken, "abc\nd") << "after the failure nothing else is written";
}

}  // namespace
}  // namespace vantorix
