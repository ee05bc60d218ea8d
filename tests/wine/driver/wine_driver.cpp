// Helpers of the Windows test driver; see wine_driver.h.
#include "wine_driver.h"

#include <fstream>
#include <sstream>

namespace driver {

namespace {

std::string toWindowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

LRESULT CALLBACK plainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::string builtSaverPath() { return toWindowsPath(MONOGLINT_SCR_UNIX_PATH); }
std::string builtFilePath(const char* unixPath) { return toWindowsPath(unixPath); }

std::string installFolder() { return "C:\\Program Files\\Pellumbra\\Monoglint"; }

std::string installedSaverPath()
{
    CreateDirectoryA("C:\\Program Files\\Pellumbra", nullptr);
    CreateDirectoryA(installFolder().c_str(), nullptr);
    std::string installed = installFolder() + "\\Monoglint.scr";
    copyFile(builtSaverPath(), installed);
    std::string built = builtSaverPath();
    copyFile(built.substr(0, built.find_last_of('\\') + 1) + "colors.txt", installFolder() + "\\colors.txt");
    return installed;
}

Process start(const std::string& program, const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;  // CreateProcessA may write into it
    Process process;
    if (CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process.handle = info.hProcess;
        process.id = info.dwProcessId;
    }
    return process;
}

DWORD waitForExit(Process& process, DWORD timeoutMs)
{
    if (!process.handle)
        return STILL_ACTIVE;
    if (WaitForSingleObject(process.handle, timeoutMs) != WAIT_OBJECT_0) {
        kill(process);
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.handle, &code);
    CloseHandle(process.handle);
    process.handle = nullptr;
    return code;
}

void kill(Process& process)
{
    if (!process.handle)
        return;
    TerminateProcess(process.handle, 0xDEAD);
    WaitForSingleObject(process.handle, 5000);
    CloseHandle(process.handle);
    process.handle = nullptr;
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof(title));
    if (owner == search->processId && lstrcmpA(title, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND findProcessWindow(DWORD processId, const char* title, DWORD timeoutMs)
{
    DWORD startTick = GetTickCount();
    do {
        WindowSearch search = {processId, title, nullptr};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    } while (GetTickCount() - startTick < timeoutMs);
    return nullptr;
}

bool waitUntilVisible(HWND window, DWORD timeoutMs)
{
    DWORD startTick = GetTickCount();
    while (!IsWindowVisible(window)) {
        if (!IsWindow(window) || GetTickCount() - startTick >= timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

HWND waitForPreviewChild(HWND parent, DWORD timeoutMs)
{
    DWORD startTick = GetTickCount();
    do {
        HWND child = FindWindowExA(parent, nullptr, "WindowsScreenSaverClass", nullptr);
        if (child && (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            return child;
        Sleep(10);
    } while (GetTickCount() - startTick < timeoutMs);
    return nullptr;
}

TestWindow::TestWindow(int width, int height, bool visible, bool framed)
    : width_(width), height_(height), visible_(visible), framed_(framed)
{
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, threadMain, this, 0, &threadId_);
    WaitForSingleObject(ready_, 10000);
}

TestWindow::~TestWindow()
{
    destroy();
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(ready_);
}

std::string TestWindow::decimal() const
{
    return std::to_string(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window_)));
}

void TestWindow::destroy()
{
    if (window_ && IsWindow(window_))
        PostMessageA(window_, WM_CLOSE, 0, 0);  // DefWindowProc destroys it on its own thread
}

DWORD WINAPI TestWindow::threadMain(void* self)
{
    auto* me = static_cast<TestWindow*>(self);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = plainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MonoglintTestWindow";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassA(&windowClass);  // fails harmlessly when another window registered it first
    const DWORD style = (me->framed_ ? WS_OVERLAPPEDWINDOW : WS_POPUP) | WS_CLIPCHILDREN;
    RECT frame = {0, 0, me->width_, me->height_};
    AdjustWindowRect(&frame, style, FALSE);
    me->window_ = CreateWindowExA(0, "MonoglintTestWindow", "Monoglint test window",
                                  style | (me->visible_ ? WS_VISIBLE : 0), 10,
                                  10, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    SetEvent(me->ready_);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

Win98ForSaver::Win98ForSaver(const char* executableName)
    : key_(std::string("Software\\Wine\\AppDefaults\\") + executableName)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
        RegCloseKey(key);
    }
}

Win98ForSaver::~Win98ForSaver()
{
    // The value goes in any case; the key only when nothing else lives in it
    // (a test may keep DLL overrides for the program there).
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "Version");
        RegCloseKey(key);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
}

void xdotool(const std::string& arguments)
{
    Process tool = start("Z:\\usr\\bin\\xdotool", "xdotool " + arguments);
    // NOTE: Wine does not pass a Unix program's exit code through; only the end is waited for.
    waitForExit(tool, 10000);
}

bool saverRunningFlag()
{
    Process reader = start(toWindowsPath(SAVER_RUNNING_FLAG_UNIX_PATH), "saver_running_flag.exe");
    return waitForExit(reader, 5000) == 1;
}

bool stillRunningAfter(Process& process, DWORD withinMs)
{
    return process.handle && WaitForSingleObject(process.handle, withinMs) == WAIT_TIMEOUT;
}

std::set<unsigned> Picture::colours() const
{
    std::set<unsigned> found;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        found.insert(unsigned(rgb[i]) << 16 | unsigned(rgb[i + 1]) << 8 | rgb[i + 2]);
    return found;
}

Picture capture(const RECT& area)
{
    Picture picture;
    picture.width = area.right - area.left;
    picture.height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const unsigned char* bgra = static_cast<const unsigned char*>(bits);
    const size_t pixels = static_cast<size_t>(picture.width) * picture.height;
    picture.rgb.resize(pixels * 3);
    for (size_t i = 0; i < pixels; ++i) {
        picture.rgb[3 * i] = bgra[4 * i + 2];
        picture.rgb[3 * i + 1] = bgra[4 * i + 1];
        picture.rgb[3 * i + 2] = bgra[4 * i];
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

Picture captureScreen()
{
    RECT all = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return capture(all);
}

void savePicture(const Picture& picture, const std::string& path)
{
    std::string header = "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    writeFile(path, header + std::string(picture.rgb.begin(), picture.rgb.end()));
}

bool readFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
    return true;
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool copyFile(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

}  // namespace driver
