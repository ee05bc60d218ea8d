// The real Monoglint.scr started with exact command lines: the exit code of
// every error row, the modes that take a window handle, program paths with
// blanks, the 9x-only "a" switch and the dispatcher's exception guard.
#include "wine_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const DWORD minusOne = 0xFFFFFFFFu;  // the process's -1 as the driver sees it
const char* const dialogTitle = "Monoglint Screensaver Options";

// Runs the built saver with "Monoglint.scr <tail>" and returns its exit code.
DWORD exitCodeFor(const std::string& tail)
{
    driver::Process saver = driver::start(driver::builtSaverPath(), "Monoglint.scr " + tail);
    EXPECT_TRUE(saver.handle) << "could not start the saver";
    return driver::waitForExit(saver);
}

// A handle that named a window once and names none now.
std::string vanishedWindowHandle()
{
    driver::TestWindow window;
    std::string handle = window.decimal();
    window.destroy();
    return handle;
}

TEST(CommandLine, BadSwitchesAndHandlesExitWithMinusOne)
{
    const std::string gone = vanishedWindowHandle();
    driver::TestWindow parent;
    const std::string tails[] = {
        "/x", "/?", "-q", "1", "/\ts",                      // unknown switches; a tab is no separator
        "/p", "/p 0", "/p " + gone, "/l " + gone, "-P",      // preview without a window
        "/p:" + parent.decimal(), "/p\t" + parent.decimal(), // only blanks may precede the handle
        "/a " + parent.decimal(),                            // change password: 9x family only
    };
    for (const std::string& tail : tails)
        EXPECT_EQ(exitCodeFor(tail), minusOne) << "tail: " << tail;
}

// The preview runs inside the parent until the parent goes away, then ends
// with 0; the handle may follow the letter at once or after any blanks.
TEST(CommandLine, PreviewInARealWindowExitsWithZero)
{
    const char* const forms[] = {"/p %s", "/p%s", "/P   %s", "/l %s", "-L %s", "/p %sab"};
    for (const char* form : forms) {
        driver::TestWindow parent;
        char tail[64];
        snprintf(tail, sizeof tail, form, parent.decimal().c_str());
        driver::Process saver = driver::start(driver::builtSaverPath(), std::string("Monoglint.scr ") + tail);
        EXPECT_TRUE(driver::waitForPreviewChild(parent.handle())) << "tail: " << tail;
        parent.destroy();
        EXPECT_EQ(driver::waitForExit(saver), 0u) << "tail: " << tail;
    }
}

struct DialogRun {
    HWND owner;
    DWORD exitCode;
};

// Starts the configuration mode, finds its dialog, notes the owner, cancels it.
DialogRun runDialog(const std::string& commandLine, const std::string& program = driver::builtSaverPath())
{
    driver::Process saver = driver::start(program, commandLine);
    HWND dialog = driver::findProcessWindow(saver.id, dialogTitle);
    EXPECT_TRUE(dialog) << "no dialog for: " << commandLine;
    DialogRun run = {dialog ? GetWindow(dialog, GW_OWNER) : nullptr, STILL_ACTIVE};
    if (dialog)
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    run.exitCode = driver::waitForExit(saver);
    return run;
}

TEST(CommandLine, ConfigurationModeAndItsOwner)
{
    driver::TestWindow owner;
    const std::string handle = owner.decimal();

    for (const char* tail : {"", "/", "- /"}) {
        DialogRun run = runDialog(std::string("Monoglint.scr ") + tail);
        EXPECT_EQ(run.owner, nullptr) << "tail: " << tail;
        EXPECT_EQ(run.exitCode, 1u) << "tail: " << tail;
    }

    DialogRun owned = runDialog("Monoglint.scr /c:" + handle);
    EXPECT_EQ(owned.owner, owner.handle());
    EXPECT_EQ(owned.exitCode, 1u);

    // Without a usable "c:<handle>" the dialog belongs to the foreground window.
    SetForegroundWindow(owner.handle());
    Sleep(200);
    HWND foreground = GetForegroundWindow();
    const std::string gone = vanishedWindowHandle();
    for (std::string tail : {std::string("/c"), "/c " + handle, std::string("/c:0"), "/c:" + gone}) {
        DialogRun run = runDialog("Monoglint.scr " + tail);
        EXPECT_EQ(run.owner, foreground) << "tail: " << tail;
        EXPECT_EQ(run.exitCode, 1u) << "tail: " << tail;
    }
}

int childCount(HWND parent)
{
    int count = 0;
    for (HWND child = FindWindowExA(parent, nullptr, "WindowsScreenSaverClass", nullptr); child;
         child = FindWindowExA(parent, child, "WindowsScreenSaverClass", nullptr))
        count += (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0;
    return count;
}

// The installed path holds a blank ("Program Files"): quoted, it is skipped
// whole; unquoted, the name ends at the blank and "Files\..." is read as the
// switch, which is no switch.
TEST(CommandLine, ProgramPathsWithBlanks)
{
    const std::string program = driver::installedSaverPath();
    driver::TestWindow parent;
    const std::string preview = " /p " + parent.decimal();

    driver::Process quoted = driver::start(program, "\"" + program + "\"" + preview);
    driver::Process quotedTab = driver::start(program, "\"" + program + "\"\t/p " + parent.decimal());
    // Both previews are in the parent before it goes.
    for (int i = 0; i < 1000 && childCount(parent.handle()) < 2; ++i)
        Sleep(10);
    EXPECT_EQ(childCount(parent.handle()), 2);
    parent.destroy();
    EXPECT_EQ(driver::waitForExit(quoted), 0u);
    EXPECT_EQ(driver::waitForExit(quotedTab), 0u);

    driver::Process unquoted = driver::start(program, program + " /p 1");
    EXPECT_EQ(driver::waitForExit(unquoted), minusOne);

    EXPECT_EQ(runDialog("\"" + program + "\"", program).exitCode, 1u);
}

TEST(CommandLine, ChangePasswordRunsOnlyOnThe9xFamily)
{
    driver::TestWindow owner;
    EXPECT_EQ(exitCodeFor("/a " + owner.decimal()), minusOne);
    driver::Win98ForSaver win98;
    EXPECT_EQ(exitCodeFor("/a " + owner.decimal()), 0u);
    EXPECT_EQ(exitCodeFor("-A"), 0u);
}

// A fault inside a mode ends the process with -1, without Wine's crash
// dialog, and gives the system's saver-running state back on the 9x family.
TEST(CommandLine, ExceptionGuardEndsTheModeWithMinusOne)
{
    const std::string faulting = driver::builtFilePath(MONOGLINT_FAULT_SCR_UNIX_PATH);
    driver::Process nt = driver::start(faulting, "MonoglintFault.scr /s");
    EXPECT_EQ(driver::waitForExit(nt), minusOne);

    driver::Win98ForSaver win98("MonoglintFault.scr");
    driver::Process nineX = driver::start(faulting, "MonoglintFault.scr /s");
    EXPECT_EQ(driver::waitForExit(nineX), minusOne);
    EXPECT_FALSE(driver::saverRunningFlag());
}

}  // namespace
