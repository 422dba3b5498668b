#include "platform/win32/termination_requests.h"

#include <gtest/gtest.h>

#include <future>

#include "support/win32/message_pump.h"

namespace vantorix::win32 {
namespace {

using test::pumpMessagesUntil;

constexpr auto kTimeout = std::chrono::seconds(5);

std::future<BOOL> consoleEvent(DWORD event) {
    return std::async(std::launch::async,
                      [event] { return TerminationRequests::consoleControl(event); });
}

bool finished(const std::future<BOOL>& handler) {
    return handler.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

TEST(TerminationRequests, CtrlCAndCtrlBreakAskThisThreadAndReturnAtOnce) {
    for (const DWORD event : {DWORD{CTRL_C_EVENT}, DWORD{CTRL_BREAK_EVENT}}) {
        TerminationRequests termination;
        DWORD requestThread = 0;
        termination.onRequest = [&] { requestThread = GetCurrentThreadId(); };
        std::future<BOOL> handler = consoleEvent(event);
        EXPECT_TRUE(handler.get()) << "handled, so the system does not end the program";
        EXPECT_TRUE(pumpMessagesUntil([&] { return requestThread != 0; }, kTimeout)) << event;
        EXPECT_EQ(requestThread, GetCurrentThreadId());
    }
}

TEST(TerminationRequests, ClosingTheConsoleOrEndingTheSessionWaitsForTheOrderlyEnd) {
    for (const DWORD event :
         {DWORD{CTRL_CLOSE_EVENT}, DWORD{CTRL_LOGOFF_EVENT}, DWORD{CTRL_SHUTDOWN_EVENT}}) {
        auto termination = std::make_unique<TerminationRequests>();
        int requests = 0;
        termination->onRequest = [&] { ++requests; };
        std::future<BOOL> handler = consoleEvent(event);
        ASSERT_TRUE(pumpMessagesUntil([&] { return requests == 1; }, kTimeout)) << event;
        EXPECT_FALSE(finished(handler)) << "the system would end the program now";
        termination.reset();
        EXPECT_TRUE(handler.get()) << event;
    }
}

TEST(TerminationRequests, WithoutAnInstanceTheSystemHandlesTheEvent) {
    EXPECT_FALSE(TerminationRequests::consoleControl(CTRL_C_EVENT));
}

TEST(TerminationRequests, TheSessionsEndRunsTheRequestUntilTheProgramAsksToEnd) {
    TerminationRequests termination;
    int requests = 0;
    termination.onRequest = [&] {
        ++requests;
        // The program ends in order a few turns of the loop later.
        PostMessageW(termination.window(), WM_NULL, 0, 0);
        PostQuitMessage(7);
    };
    EXPECT_TRUE(SendMessageW(termination.window(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(requests, 0);
    SendMessageW(termination.window(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(requests, 0) << "the session goes on";

    SendMessageW(termination.window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(requests, 1);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "left for the program's own loop";
    EXPECT_EQ(quit.wParam, 7U);
}

}  // namespace
}  // namespace vantorix::win32
