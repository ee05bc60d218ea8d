// What ends the full-screen saver: real key and button presses and mouse
// travel on the X display, and the activation, power and system-command
// messages that the system would send (Wine sends no power events itself, so
// the driver sends them). The driver opens no window while a saver runs: one
// that took the focus would end the saver by itself.
#include "saver_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ClosingRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        saver::useSettings();
        driver::xdotool("mousemove 500 400");  // a known reference before the saver starts
    }
};

// Closes, with exit code 0 (the wait is generous for a loaded machine; a
// close normally takes a few milliseconds).
void expectClosedBy(saver::Run& run, const std::string& what)
{
    EXPECT_FALSE(driver::stillRunningAfter(run.process, 5000)) << what << " did not close the saver";
    EXPECT_EQ(driver::waitForExit(run.process, 100), 0u) << what;
}

TEST_F(ClosingRules, PressesClose)
{
    const char* const presses[] = {"key space", "key a", "key alt+x", "key F10", "click 1", "click 2", "click 3"};
    for (const char* press : presses) {
        saver::Run run = saver::startFullScreen();
        driver::xdotool(press);
        expectClosedBy(run, press);
    }
}

// NOTE: the X server drops the release of a key or button that is not down,
// so the releases below are of a key and a button pressed before the saver
// started; only their release reaches the saver.
TEST_F(ClosingRules, ReleasesWheelTurnsAndOtherButtonsDoNotClose)
{
    driver::xdotool("keydown shift mousedown 1");
    saver::Run run = saver::startFullScreen();
    for (const char* input : {"keyup shift", "mouseup 1", "click 4", "click 5", "click 8", "click 9"}) {
        driver::xdotool(input);
        EXPECT_TRUE(driver::stillRunningAfter(run.process, 400)) << input;
    }
    EXPECT_EQ(saver::finish(run), 0u);
}

// More than 4 pixels of travel (x distance plus y distance) from where the
// cursor stood at start closes, in any direction; small moves add up.
TEST_F(ClosingRules, MouseTravelThreshold)
{
    const struct {
        std::vector<const char*> moves;  // from the start position, in turn
        bool closes;
    } cases[] = {
        {{"3 1"}, false},
        {{"3 2"}, true},
        {{"-- -3 -2"}, true},  // distances count, not signed differences
        {{"-- 3 -2"}, true},
        {{"-- -2 -2"}, false},
        {{"3 1", "0 1"}, true},
        {{"-- 0 -1", "1 0", "-- 0 -1", "1 0", "1 0"}, true},  // one pixel at a time
    };
    for (const auto& c : cases) {
        driver::xdotool("mousemove 500 400");
        saver::Run run = saver::startFullScreen();
        std::string path;
        for (const char* move : c.moves) {
            if (!path.empty()) {
                ASSERT_TRUE(driver::stillRunningAfter(run.process, 250)) << "closed after " << path;
            }
            path += std::string(move) + "; ";
            driver::xdotool(std::string("mousemove_relative ") + move);
        }
        if (c.closes) {
            expectClosedBy(run, path);
        } else {
            EXPECT_TRUE(driver::stillRunningAfter(run.process, 500)) << path;
            EXPECT_EQ(saver::finish(run), 0u);
        }
    }
}

struct MessageCase {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* what;
};

// Messages that leave the saver running are sent to one run in turn; each
// closing one gets a run of its own.
TEST_F(ClosingRules, ActivationAndPowerMessages)
{
    const MessageCase keep[] = {
        {WM_ACTIVATEAPP, 1, 0, "activation"},
        {WM_POWER, PWR_SUSPENDREQUEST, 0, "WM_POWER suspend request"},
        {WM_POWER, PWR_SUSPENDRESUME, 0, "WM_POWER suspend resume"},
        {WM_POWERBROADCAST, PBT_APMRESUMECRITICAL, PBTF_APMRESUMEFROMFAILURE, "critical resume after a failure"},
        {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, PBTF_APMRESUMEFROMFAILURE, "resume after a failure"},
        {WM_POWERBROADCAST, PBT_APMRESUMESTANDBY, PBTF_APMRESUMEFROMFAILURE, "standby resume after a failure"},
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, PBTF_APMRESUMEFROMFAILURE, "automatic resume after a failure"},
        // The AC line status is what it was at start: no change, no close.
        {WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0, "power status without a change"},
        {WM_SYSCOMMAND, SC_SCREENSAVE, 0, "SC_SCREENSAVE"},
        {WM_SYSCOMMAND, SC_NEXTWINDOW, 0, "SC_NEXTWINDOW"},
        // Commands are compared whole: a low bit set makes it another command.
        {WM_SYSCOMMAND, SC_MONITORPOWER | 1, 2, "SC_MONITORPOWER with a low bit set"},
    };
    saver::Run run = saver::startFullScreen();
    for (const MessageCase& c : keep) {
        PostMessageA(run.window, c.message, c.wParam, c.lParam);
        EXPECT_TRUE(driver::stillRunningAfter(run.process, 300)) << c.what;
    }
    EXPECT_EQ(saver::finish(run), 0u);

    const MessageCase close[] = {
        {WM_ACTIVATEAPP, 0, 0, "deactivation"},
        {WM_POWER, PWR_CRITICALRESUME, 0, "WM_POWER critical resume"},
        {WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0, "query suspend"},
        {WM_POWERBROADCAST, PBT_APMQUERYSTANDBY, 0, "query standby"},
        {WM_POWERBROADCAST, PBT_APMQUERYSUSPENDFAILED, 0, "query suspend failed"},
        {WM_POWERBROADCAST, PBT_APMQUERYSTANDBYFAILED, 0, "query standby failed"},
        {WM_POWERBROADCAST, PBT_APMSUSPEND, 0, "suspend"},
        {WM_POWERBROADCAST, PBT_APMSTANDBY, 0, "standby"},
        {WM_POWERBROADCAST, PBT_APMRESUMECRITICAL, 0, "critical resume"},
        {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, "resume"},
        {WM_POWERBROADCAST, PBT_APMRESUMESTANDBY, 0, "standby resume"},
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, "automatic resume"},
        {WM_POWERBROADCAST, PBT_APMBATTERYLOW, 0, "battery low"},
        {WM_POWERBROADCAST, PBT_APMOEMEVENT, 0, "OEM event"},
        {WM_POWERBROADCAST, 15, 0, "an unknown event"},
        {WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, 0, "power setting change"},
        {WM_SYSCOMMAND, SC_MONITORPOWER, 2, "SC_MONITORPOWER"},
    };
    for (const MessageCase& c : close) {
        run = saver::startFullScreen();
        PostMessageA(run.window, c.message, c.wParam, c.lParam);
        expectClosedBy(run, c.what);
    }
}

// Messages the saver answers itself: the system commands that would switch
// away or start another saver are swallowed (0), and the cursor request is
// answered without a cursor (1).
TEST_F(ClosingRules, MessagesAnsweredByTheSaver)
{
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        DWORD_PTR answer;
    } cases[] = {
        {WM_SYSCOMMAND, SC_SCREENSAVE, 0, 0},
        {WM_SYSCOMMAND, SC_NEXTWINDOW, 0, 0},
        {WM_SYSCOMMAND, SC_PREVWINDOW, 0, 0},
        {WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 1},
    };
    saver::Run run = saver::startFullScreen();
    for (const auto& c : cases) {
        DWORD_PTR answer = 99;
        ASSERT_TRUE(SendMessageTimeoutA(run.window, c.message, c.wParam, c.lParam, SMTO_ABORTIFHUNG, 2000, &answer));
        EXPECT_EQ(answer, c.answer) << std::hex << c.message << " " << c.wParam;
    }
    EXPECT_TRUE(driver::stillRunningAfter(run.process, 300));
    EXPECT_EQ(saver::finish(run), 0u);
}

}  // namespace
