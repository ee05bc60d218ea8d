// The 9x family's password hooks, reached through Wine's per-application
// Windows version: the user's ScreenSaveUsePassword setting, a stand-in
// PASSWORD.CPL beside the installed saver (it answers from a script and
// records each call), the system's saver-running flag, the AutoPlay query,
// and "/a" with a stand-in MPR.DLL. On the NT family none of it happens.
#include "saver_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string callsFile = driver::installFolder() + "\\password-calls.txt";
const std::string answersFile = driver::installFolder() + "\\password-answers.txt";

void setUsePassword(const void* data, DWORD size, DWORD type = REG_DWORD)
{
    HKEY desktop;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &desktop, nullptr),
              ERROR_SUCCESS);
    if (data)
        RegSetValueExA(desktop, "ScreenSaveUsePassword", 0, type, static_cast<const BYTE*>(data), size);
    else
        RegDeleteValueA(desktop, "ScreenSaveUsePassword");
    RegCloseKey(desktop);
}

void usePassword(DWORD value) { setUsePassword(&value, sizeof(value)); }

std::vector<std::string> recordedCalls(const std::string& file = callsFile)
{
    std::string text;
    std::vector<std::string> lines;
    if (!driver::readFile(file, text))
        return lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

size_t verifications(const std::vector<std::string>& calls)
{
    size_t count = 0;
    for (const std::string& line : calls)
        count += line.rfind("verify", 0) == 0;
    return count;
}

bool saverRunningFlag() { return driver::saverRunningFlag(); }

class PasswordHooks : public ::testing::Test {
protected:
    void SetUp() override
    {
        saver::useSettings();
        program = driver::installedSaverPath();
        ASSERT_TRUE(driver::copyFile(driver::builtFilePath(PASSWORD_CPL_UNIX_PATH),
                                     driver::installFolder() + "\\PASSWORD.CPL"));
        DeleteFileA(callsFile.c_str());
        DeleteFileA(answersFile.c_str());
        driver::xdotool("mousemove 500 400");
    }
    void TearDown() override
    {
        setUsePassword(nullptr, 0);
        DeleteFileA((driver::installFolder() + "\\PASSWORD.CPL").c_str());
    }
    std::string program;
};

TEST_F(PasswordHooks, RefusedCloseKeepsRunningUntilThePasswordIsAccepted)
{
    driver::Win98ForSaver win98;
    usePassword(1);
    // The first answer refuses and posts another close at once, which must be
    // dropped without asking (it comes within 200 ms); the next one accepts.
    driver::writeFile(answersFile, "refuse+close\naccept\n");
    saver::Run run = saver::startFullScreen(program);
    ASSERT_TRUE(run.window);
    EXPECT_TRUE(saverRunningFlag()) << "switched on while the saver runs";

    driver::xdotool("mousemove_relative 3 0");  // 3 pixels of travel: no close yet
    driver::xdotool("key space");
    EXPECT_TRUE(driver::stillRunningAfter(run.process, 800)) << "a refused password keeps the saver";
    std::vector<std::string> calls = recordedCalls();
    ASSERT_EQ(verifications(calls), 1u) << "the close posted right after the refusal asks nothing";
    EXPECT_NE(calls[1].find("running=1"), std::string::npos) << calls[1];
    EXPECT_NE(calls[1].find("owner=" + std::to_string(reinterpret_cast<uintptr_t>(run.window))), std::string::npos)
        << "the saver window owns the password dialog: " << calls[1];

    // The mouse reference was reset at the refusal: 4 pixels from there do
    // not close, though the cursor is now 7 from where the saver started.
    driver::xdotool("mousemove_relative 2 2");
    EXPECT_TRUE(driver::stillRunningAfter(run.process, 400));
    EXPECT_EQ(verifications(recordedCalls()), 1u);

    driver::xdotool("click 1");
    EXPECT_EQ(driver::waitForExit(run.process, 5000), 0u);
    calls = recordedCalls();
    EXPECT_EQ(verifications(calls), 2u);
    EXPECT_EQ(calls.back(), "unloaded");
    EXPECT_FALSE(saverRunningFlag()) << "switched off after the run";
}

TEST_F(PasswordHooks, SettingsThatTurnNoPasswordOn)
{
    driver::Win98ForSaver win98;
    const unsigned char fiveBytes[5] = {1, 0, 0, 0, 0};
    const struct {
        const char* what;
        const void* data;
        DWORD size;
        DWORD type;
    } cases[] = {
        {"zero", "\0\0\0\0", 4, REG_DWORD},
        {"missing", nullptr, 0, REG_DWORD},
        {"five bytes", fiveBytes, 5, REG_BINARY},
    };
    for (const auto& c : cases) {
        setUsePassword(c.data, c.size, c.type);
        DeleteFileA(callsFile.c_str());
        saver::Run run = saver::startFullScreen(program);
        driver::xdotool("key space");
        EXPECT_EQ(driver::waitForExit(run.process, 3000), 0u) << c.what << ": no password, so the key closes";
        EXPECT_TRUE(recordedCalls().empty()) << c.what << ": the module was never loaded";
    }
}

// While the verifier's dialog runs, the saver keeps drawing behind it, and a
// close that reaches the saver then opens no second verifier. The 200 ms
// pause counts from the dialog's end: a close just after a slow refusal is
// dropped too.
TEST_F(PasswordHooks, SaverGoesOnBehindTheVerifier)
{
    driver::Win98ForSaver win98;
    usePassword(1);
    driver::writeFile(answersFile, "slow-refuse+close\naccept\n");
    saver::Run run = saver::startFullScreen(program);
    ASSERT_TRUE(run.window);

    driver::xdotool("key space");
    for (int i = 0; i < 100 && verifications(recordedCalls()) == 0; ++i)
        Sleep(10);
    ASSERT_EQ(verifications(recordedCalls()), 1u);
    driver::Picture before = driver::captureScreen();
    PostMessageA(run.window, WM_CLOSE, 0, 0);
    driver::xdotool("click 1");
    Sleep(300);
    EXPECT_TRUE(before.rgb != driver::captureScreen().rgb) << "frames go on during the verification";
    EXPECT_TRUE(driver::stillRunningAfter(run.process, 1500)) << "the slow verifier refused";
    EXPECT_EQ(verifications(recordedCalls()), 1u) << "a close during or just after the verification asks nothing";

    driver::xdotool("key space");
    EXPECT_EQ(driver::waitForExit(run.process, 5000), 0u);
    EXPECT_EQ(verifications(recordedCalls()), 2u);
}

// A PASSWORD.CPL without the verifier is freed again: no password, and the
// system's flag is left alone.
TEST_F(PasswordHooks, ModuleWithoutTheVerifierTurnsNoPasswordOn)
{
    driver::Win98ForSaver win98;
    usePassword(1);
    ASSERT_TRUE(
        driver::copyFile(driver::builtFilePath(MPR_DLL_UNIX_PATH), driver::installFolder() + "\\PASSWORD.CPL"));
    saver::Run run = saver::startFullScreen(program);
    EXPECT_FALSE(saverRunningFlag());
    driver::xdotool("key space");
    EXPECT_EQ(driver::waitForExit(run.process, 3000), 0u);
}

TEST_F(PasswordHooks, PreviewNeverLoadsTheModule)
{
    driver::Win98ForSaver win98;
    usePassword(1);
    driver::TestWindow parent(200, 150);
    driver::Process preview = driver::start(program, "\"" + program + "\" /p " + parent.decimal());
    HWND child = driver::waitForPreviewChild(parent.handle());
    ASSERT_TRUE(child);
    EXPECT_TRUE(driver::stillRunningAfter(preview, 300));
    EXPECT_TRUE(recordedCalls().empty());

    // The AutoPlay answer holds in a preview too: no password here, so 0,
    // and the close it posts ends the preview.
    DWORD_PTR answer = 99;
    ASSERT_TRUE(SendMessageTimeoutA(child, RegisterWindowMessageA("QueryCancelAutoPlay"), 0, 0, SMTO_ABORTIFHUNG,
                                    3000, &answer));
    EXPECT_EQ(answer, 0u);
    EXPECT_EQ(driver::waitForExit(preview, 5000), 0u);
    EXPECT_TRUE(recordedCalls().empty());
}

TEST_F(PasswordHooks, AutoPlayQueryIsAnsweredOnThe9xFamily)
{
    const UINT queryCancelAutoPlay = RegisterWindowMessageA("QueryCancelAutoPlay");
    const struct {
        bool win98;
        DWORD usePassword;
        DWORD_PTR answer;
        bool closes;
    } cases[] = {
        {true, 1, 1, true},    // password in force: cancel AutoPlay, and ask for the password
        {true, 0, 0, true},
        {false, 1, 0, false},  // NT family: the message means nothing to the saver
    };
    for (const auto& c : cases) {
        std::unique_ptr<driver::Win98ForSaver> win98(c.win98 ? new driver::Win98ForSaver : nullptr);
        usePassword(c.usePassword);
        DeleteFileA(callsFile.c_str());
        driver::writeFile(answersFile, "accept\n");
        saver::Run run = saver::startFullScreen(program);
        DWORD_PTR answer = 99;
        ASSERT_TRUE(SendMessageTimeoutA(run.window, queryCancelAutoPlay, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer));
        EXPECT_EQ(answer, c.answer) << "9x " << c.win98 << " password " << c.usePassword;
        EXPECT_EQ(driver::stillRunningAfter(run.process, 1000), !c.closes) << "9x " << c.win98;
        EXPECT_EQ(verifications(recordedCalls()), c.win98 && c.usePassword ? 1u : 0u);
        EXPECT_EQ(saver::finish(run), 0u);
    }
}

TEST_F(PasswordHooks, NtFamilyLoadsNothing)
{
    usePassword(1);
    saver::Run run = saver::startFullScreen(program);
    EXPECT_FALSE(saverRunningFlag());
    driver::xdotool("key space");
    EXPECT_EQ(driver::waitForExit(run.process, 3000), 0u);
    EXPECT_TRUE(recordedCalls().empty());
}

// "/a" runs the system's change-password dialog through MPR.DLL; here a
// stand-in loaded through a DLL override records the call.
TEST_F(PasswordHooks, ChangePasswordCallsMpr)
{
    const std::string mprCalls = driver::installFolder() + "\\mpr-calls.txt";
    ASSERT_TRUE(driver::copyFile(driver::builtFilePath(MPR_DLL_UNIX_PATH), driver::installFolder() + "\\MPR.DLL"));
    HKEY overrides;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Monoglint.scr\\DllOverrides", 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &overrides, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(overrides, "mpr", 0, REG_SZ, reinterpret_cast<const BYTE*>("native"), 7);
    RegCloseKey(overrides);

    driver::TestWindow owner;
    DeleteFileA(mprCalls.c_str());
    driver::Process nt = driver::start(program, "\"" + program + "\" /a " + owner.decimal());
    EXPECT_EQ(driver::waitForExit(nt), 0xFFFFFFFFu);
    EXPECT_TRUE(recordedCalls(mprCalls).empty());

    {
        driver::Win98ForSaver win98;
        driver::Process changing = driver::start(program, "\"" + program + "\" /a " + owner.decimal());
        EXPECT_EQ(driver::waitForExit(changing), 0u);
    }
    std::vector<std::string> calls = recordedCalls(mprCalls);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "PwdChangePasswordA provider=SCRSAVE owner=" + owner.decimal() + " flags=0 reserved=0");

    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Monoglint.scr\\DllOverrides");
    DeleteFileA((driver::installFolder() + "\\MPR.DLL").c_str());
}

}  // namespace
