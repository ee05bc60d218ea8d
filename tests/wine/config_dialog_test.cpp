// The real settings dialog driven from the test driver: how it opens, the
// state of its controls for a range of settings files, its enabling rules,
// the bytes it writes at OK, the colour picker, and the two buttons that hand
// a file and a web page to the shell.
#include "saver_session.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

const char* const dialogTitle = "Monoglint Screensaver Options";

enum : int {
    classicRadio = 1006, customRadio = 1007, rotateCheck = 1011, xAxis = 1012, yAxis = 1013, zAxis = 1014,
    rotationSpeedBar = 1015, backgroundList = 1019, suggestedColours = 1022, shapeSpeedBar = 1025,
    squaresCheck = 1026, ovalsCheck = 1027, trianglesCheck = 1028, shapeCountEdit = 1031, webPage = 1034,
};
const int colourButtons[] = {1008, 1009, 1010, 1016};

std::string crlf(const std::string& lines)
{
    std::string out;
    for (char c : lines) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::string settingsBytes()
{
    std::string bytes;
    driver::readFile(settingsPath, bytes);
    return bytes;
}

class ConfigDialog : public ::testing::Test {
protected:
    // Starts the dialog with `tail` on the given settings and waits for it.
    void open(const saver::SettingsLines& lines, const std::string& tail = "")
    {
        saver::useSettings(lines);
        process = driver::start(driver::builtSaverPath(), "Monoglint.scr " + tail);
        dialog = driver::findProcessWindow(process.id, dialogTitle);
        ASSERT_TRUE(dialog) << "no dialog for \"" << tail << "\"";
        // The dialog shows itself once its initialisation is done.
        for (int i = 0; i < 250 && !IsWindowVisible(dialog); ++i)
            Sleep(20);
    }
    void TearDown() override
    {
        if (process.handle)
            driver::kill(process);
    }

    HWND item(int id) const { return GetDlgItem(dialog, id); }
    bool checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }
    LRESULT position(int bar) const { return SendMessageA(item(bar), TBM_GETPOS, 0, 0); }
    LRESULT selection() const { return SendMessageA(item(backgroundList), CB_GETCURSEL, 0, 0); }
    // NOTE: GetWindowText and SetWindowText do not reach a control of another
    // process; the messages do.
    std::string text(int id) const
    {
        char buffer[64] = "";
        SendMessageA(item(id), WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    void type(int id, const char* text) const
    {
        SendMessageA(item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    void click(int id) const { SendMessageA(item(id), BM_CLICK, 0, 0); }
    void choose(int background) const
    {
        SendMessageA(item(backgroundList), CB_SETCURSEL, background, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(backgroundList, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(item(backgroundList)));
    }
    // Presses a dialog button and waits for the process's exit code.
    DWORD press(int id)
    {
        PostMessageA(item(id), BM_CLICK, 0, 0);
        return driver::waitForExit(process, 5000);
    }
    bool rotationControlsEnabled() const
    {
        return enabled(xAxis) && enabled(yAxis) && enabled(zAxis) && enabled(rotationSpeedBar);
    }
    bool rotationControlsDisabled() const
    {
        return !enabled(xAxis) && !enabled(yAxis) && !enabled(zAxis) && !enabled(rotationSpeedBar);
    }
    bool colourButtonsEnabled(bool expected) const
    {
        for (int id : colourButtons)
            if (enabled(id) != expected)
                return false;
        return true;
    }

    driver::Process process;
    HWND dialog = nullptr;
};

TEST_F(ConfigDialog, OpensForEveryConfigurationSwitchAndEndsWithOne)
{
    driver::TestWindow owner;
    const std::string tails[] = {"", "/c", "/c:" + owner.decimal(), "/c " + owner.decimal()};
    int i = 0;
    for (const std::string& tail : tails) {
        open(saver::SettingsLines(), tail);
        EXPECT_EQ(press(i++ % 2 ? IDCANCEL : IDOK), 1u) << "tail \"" << tail << "\"";
    }
}

// The dialog procedure leaves other messages to the system, which turns
// Escape and the close box into Cancel: the dialog ends with 1, nothing written.
TEST_F(ConfigDialog, EscapeAndTheCloseBoxCancel)
{
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
    } ways[] = {{"Escape", WM_KEYDOWN, VK_ESCAPE}, {"the close box", WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& way : ways) {
        open(saver::SettingsLines());
        const std::string before = settingsBytes();
        click(ovalsCheck);
        PostMessageA(dialog, way.message, way.wParam, 0);
        EXPECT_EQ(driver::waitForExit(process, 5000), 1u) << way.what;
        EXPECT_EQ(settingsBytes(), before) << way.what;
    }
}

struct InitialState {
    const char* what;
    saver::SettingsLines lines;
    bool custom, rotate, x, y, z, ovals, squares, triangles;
    LRESULT shapeSpeed, rotationSpeed, background;
    const char* shapeCount;
};

saver::SettingsLines lines(std::initializer_list<std::pair<const char*, int>> values)
{
    saver::SettingsLines l;
    for (auto [key, value] : values) {
        std::string k = key;
        if (k == "theme") l.theme = value;
        if (k == "rotate") l.rotate = value;
        if (k == "background") l.background = value;
        if (k == "forespeed") l.forespeed = value;
        if (k == "rotspeed") l.rotspeed = value;
        if (k == "numshapes") l.numshapes = value;
        if (k == "ovals") l.ovals = value;
        if (k == "squares") l.squares = value;
        if (k == "triangles") l.triangles = value;
    }
    return l;
}

TEST_F(ConfigDialog, ControlsShowTheSettingsFile)
{
    saver::SettingsLines axes = lines({{"theme", 1}, {"rotate", 1}, {"forespeed", 5000}, {"rotspeed", 55},
                                       {"background", 2}, {"numshapes", 7}, {"ovals", 2}, {"squares", 0}});
    axes.rotatexyz = "1,0,2";
    const InitialState cases[] = {
        {"the defaults, with forespeed 100", lines({{"forespeed", 100}}), false, false, true, true, true, true, true,
         true, 500, 10, 0, "20"},
        {"custom, rotating, other values", axes, true, true, true, false, false, false, false, true, 4000, 55, 2,
         "7"},
        {"values only a hand-edited file holds", lines({{"theme", 5}, {"rotate", 3}, {"background", 7},
                                                        {"numshapes", 500}, {"rotspeed", 1000}}),
         true, true, true, true, true, true, true, true, 1000, 100, -1, "50"},
        {"a negative shape count", lines({{"numshapes", -40}}), false, false, true, true, true, true, true, true,
         1000, 10, 0, "1"},
    };
    for (const InitialState& c : cases) {
        open(c.lines);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(checked(customRadio), c.custom);
        EXPECT_EQ(checked(classicRadio), !c.custom);
        EXPECT_TRUE(colourButtonsEnabled(c.custom));
        EXPECT_EQ(checked(rotateCheck), c.rotate);
        EXPECT_TRUE(c.rotate ? rotationControlsEnabled() : rotationControlsDisabled());
        EXPECT_EQ(checked(xAxis), c.x);
        EXPECT_EQ(checked(yAxis), c.y);
        EXPECT_EQ(checked(zAxis), c.z);
        EXPECT_EQ(checked(ovalsCheck), c.ovals);
        EXPECT_EQ(checked(squaresCheck), c.squares);
        EXPECT_EQ(checked(trianglesCheck), c.triangles);
        EXPECT_EQ(position(shapeSpeedBar), c.shapeSpeed);
        EXPECT_EQ(position(rotationSpeedBar), c.rotationSpeed);
        EXPECT_EQ(selection(), c.background);
        EXPECT_EQ(text(shapeCountEdit), c.shapeCount);
        EXPECT_EQ(press(IDCANCEL), 1u);
    }
}

TEST_F(ConfigDialog, RotatingSquaresForcesTheRotateBox)
{
    // Rotate off: choosing Rotating Squares forces it on, leaving releases it.
    open(saver::SettingsLines());
    choose(1);
    EXPECT_TRUE(checked(rotateCheck));
    EXPECT_TRUE(rotationControlsEnabled());
    click(rotateCheck);  // cannot be unchecked while Rotating Squares is chosen
    EXPECT_TRUE(checked(rotateCheck));
    EXPECT_TRUE(rotationControlsEnabled());
    choose(2);
    EXPECT_FALSE(checked(rotateCheck));
    EXPECT_TRUE(rotationControlsDisabled());
    EXPECT_EQ(press(IDCANCEL), 1u);

    // Rotate on before: leaving Rotating Squares keeps it on.
    open(lines({{"rotate", 1}}));
    choose(1);
    choose(0);
    EXPECT_TRUE(checked(rotateCheck));
    EXPECT_TRUE(rotationControlsEnabled());
    EXPECT_EQ(press(IDCANCEL), 1u);

    // A hand-edited file with Rotating Squares and rotation off opens with the
    // box checked, as the click rules leave it. Nothing was chosen in the
    // dialog, so leaving Rotating Squares has nothing to undo.
    open(lines({{"background", 1}}));
    EXPECT_TRUE(checked(rotateCheck));
    EXPECT_TRUE(rotationControlsEnabled());
    choose(2);
    EXPECT_TRUE(checked(rotateCheck));
    EXPECT_TRUE(rotationControlsEnabled());
    EXPECT_EQ(press(IDOK), 1u);
    EXPECT_NE(settingsBytes().find("\r\nrotate=1\r\n"), std::string::npos) << settingsBytes();
}

TEST_F(ConfigDialog, ThemeRadiosEnableTheColourButtons)
{
    open(saver::SettingsLines());
    EXPECT_TRUE(colourButtonsEnabled(false));
    click(customRadio);
    EXPECT_TRUE(colourButtonsEnabled(true));
    click(classicRadio);
    EXPECT_TRUE(colourButtonsEnabled(false));
    // The rotate box works the axis boxes and the speed bar.
    click(rotateCheck);
    EXPECT_TRUE(rotationControlsEnabled());
    click(rotateCheck);
    EXPECT_TRUE(rotationControlsDisabled());
    EXPECT_EQ(press(IDCANCEL), 1u);
}

TEST_F(ConfigDialog, OkWritesTheControlsExactly)
{
    const struct {
        const char* typed;
        int stored;
    } counts[] = {{"123", 12}, {"75", 50}, {"", 1}, {"0", 1}, {"9", 9}};
    for (const auto& c : counts) {
        open(lines({{"forespeed", 100}}));
        type(shapeCountEdit, c.typed);
        EXPECT_EQ(press(IDOK), 1u);
        saver::SettingsLines expected = lines({{"forespeed", 500}, {"rotspeed", 10}, {"numshapes", c.stored}});
        EXPECT_EQ(settingsBytes(), crlf(expected.text())) << "typed \"" << c.typed << "\"";
    }

    // Everything changed at once, and no shape kind left checked.
    open(saver::SettingsLines());
    click(customRadio);
    choose(2);
    click(rotateCheck);
    click(yAxis);
    click(ovalsCheck);
    click(squaresCheck);
    click(trianglesCheck);
    SendMessageA(item(shapeSpeedBar), TBM_SETPOS, TRUE, 2500);
    SendMessageA(item(rotationSpeedBar), TBM_SETPOS, TRUE, 42);
    EXPECT_EQ(press(IDOK), 1u);
    saver::SettingsLines expected = lines({{"background", 2}, {"forespeed", 2500}, {"theme", 1}, {"rotate", 1},
                                           {"rotspeed", 42}, {"ovals", 1}, {"squares", 0}, {"triangles", 0}});
    expected.rotatexyz = "1,0,1";
    EXPECT_EQ(settingsBytes(), crlf(expected.text()));

    // No background selected writes -1.
    open(lines({{"background", 9}}));
    EXPECT_EQ(press(IDOK), 1u);
    EXPECT_NE(settingsBytes().find("background=-1\r\n"), std::string::npos);
}

// The system colour picker: Wine's has the title "Color", the red, green and
// blue edits 706, 707 and 708, and the custom colours in control 721.
// The picker once it is shown, that is once its initialisation is done.
HWND waitForPicker(DWORD processId)
{
    HWND picker = driver::findProcessWindow(processId, "Color", 5000);
    for (int i = 0; picker && i < 250 && !IsWindowVisible(picker); ++i)
        Sleep(20);
    return picker;
}

int editValue(HWND picker, int id)
{
    char text[16] = "";
    SendMessageA(GetDlgItem(picker, id), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return atoi(text);
}

TEST_F(ConfigDialog, ColourPickerStartsFromTheCurrentColoursAndItsPickReachesTheFile)
{
    saver::SettingsLines start = lines({{"theme", 1}});
    start.backrgb = "17,133,201";
    start.backshapesrgb = "201,17,133";
    start.foreshapesrgb = "133,201,17";
    start.interrgb = "90,60,30";
    open(start);

    PostMessageA(item(1009), BM_CLICK, 0, 0);  // "Background Shapes"
    HWND picker = waitForPicker(process.id);
    ASSERT_TRUE(picker);
    Sleep(500);  // painted
    EXPECT_EQ(editValue(picker, 706), 201);
    EXPECT_EQ(editValue(picker, 707), 17);
    EXPECT_EQ(editValue(picker, 708), 133);
    // The four current colours show in the picker's custom row (none of them
    // is one of its basic colours).
    RECT pickerFrame;
    GetWindowRect(picker, &pickerFrame);
    driver::Picture shown = driver::capture(pickerFrame);
    for (unsigned colour : {0x1185C9u, 0xC91185u, 0x85C911u, 0x5A3C1Eu})
        EXPECT_TRUE(shown.colours().count(colour)) << std::hex << "custom colour " << colour;
    if (HasFailure())
        driver::savePicture(shown, "colour-picker.ppm");

    // A colour typed into the picker and confirmed reaches the file at OK.
    SendMessageA(GetDlgItem(picker, 706), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12"));
    SendMessageA(GetDlgItem(picker, 707), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("34"));
    SendMessageA(GetDlgItem(picker, 708), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("56"));
    PostMessageA(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && IsWindow(picker); ++i)
        Sleep(20);

    // Cancelling the picker changes nothing.
    PostMessageA(item(1016), BM_CLICK, 0, 0);  // "Where Shapes Intersect"
    picker = waitForPicker(process.id);
    ASSERT_TRUE(picker);
    SendMessageA(GetDlgItem(picker, 706), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("255"));
    PostMessageA(GetDlgItem(picker, IDCANCEL), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && IsWindow(picker); ++i)
        Sleep(20);

    EXPECT_EQ(press(IDOK), 1u);
    std::string bytes = settingsBytes();
    EXPECT_NE(bytes.find("\r\nbackshapesrgb=12,34,56\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\r\ninterrgb=90,60,30\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\r\nbackrgb=17,133,201\r\n"), std::string::npos) << bytes;
}

TEST_F(ConfigDialog, CancelWritesNothingEvenAfterAPick)
{
    saver::SettingsLines start = lines({{"theme", 1}, {"numshapes", 33}});
    open(start);
    const std::string before = settingsBytes();
    PostMessageA(item(1008), BM_CLICK, 0, 0);
    HWND picker = waitForPicker(process.id);
    ASSERT_TRUE(picker);
    SendMessageA(GetDlgItem(picker, 706), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("99"));
    PostMessageA(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && IsWindow(picker); ++i)
        Sleep(20);
    click(ovalsCheck);
    EXPECT_EQ(press(IDCANCEL), 1u);
    EXPECT_EQ(settingsBytes(), before);
}

// The shell opens colors.txt with whatever opens text files, and the web page
// with the browser; both are intercepted in the prefix by recorders.
TEST_F(ConfigDialog, ShellButtonsOpenTheFileAndTheWebPage)
{
    const std::string recorder = driver::installFolder() + "\\shell_recorder.exe";
    const std::string shellCalls = driver::installFolder() + "\\shell-calls.txt";
    saver::useSettings();
    driver::installedSaverPath();  // colors.txt is installed with the saver
    ASSERT_TRUE(driver::copyFile(driver::builtFilePath(SHELL_RECORDER_UNIX_PATH), recorder));
    DeleteFileA(shellCalls.c_str());
    const std::string browserCalls = driver::builtFilePath(BROWSER_CALLS_UNIX_PATH);
    DeleteFileA(browserCalls.c_str());

    // NOTE: a fresh Wine prefix has the txtfile class but no ".txt" entry that names it.
    HKEY extension;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &extension, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(extension, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("txtfile"), 8);
    RegCloseKey(extension);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "txtfile\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    std::string previousTextCommand(1024, '\0');
    DWORD size = static_cast<DWORD>(previousTextCommand.size());
    RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(&previousTextCommand[0]), &size);
    previousTextCommand.resize(size ? size - 1 : 0);
    std::string command = "\"" + recorder + "\" \"%1\"";
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    HKEY browser;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &browser, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(browser, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(BROWSER_RECORDER_UNIX_PATH),
                   sizeof(BROWSER_RECORDER_UNIX_PATH));
    RegCloseKey(browser);

    open(saver::SettingsLines());
    click(suggestedColours);
    click(webPage);
    std::string recorded, browsed;
    for (int i = 0; i < 200 && (!driver::readFile(shellCalls, recorded) || !driver::readFile(browserCalls, browsed));
         ++i)
        Sleep(50);
    EXPECT_NE(recorded.find("\"C:\\Program Files\\Pellumbra\\Monoglint\\colors.txt\""), std::string::npos)
        << recorded;
    EXPECT_NE(recorded.find("folder=C:\\Program Files\\Pellumbra\\Monoglint"), std::string::npos) << recorded;
    EXPECT_EQ(browsed, "http://www.pellumbra.example/products/monoglint.php\n");
    EXPECT_EQ(press(IDCANCEL), 1u);

    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previousTextCommand.c_str()),
                   static_cast<DWORD>(previousTextCommand.size() + 1));
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser");
}

}  // namespace
